<?xml version="1.0" encoding="utf-8"?>
<!DOCTYPE TS>
<TS version="2.1" language="es_ES" sourcelanguage="en_US">
<context>
    <name>mvro</name>
    <message>
        <source>Reset the best times of all five levels of this cell shape?</source>
        <comment>1</comment>
        <translation>¿Borrar los mejores tiempos de los cinco niveles de esta forma de casilla?</translation>
    </message>
    <message>
        <source>&amp;Yes</source>
        <comment>2</comment>
        <translation>&amp;Sí</translation>
    </message>
    <message>
        <source>&amp;No</source>
        <comment>3</comment>
        <translation>&amp;No</translation>
    </message>
    <message>
        <source>&amp;Left click on a number opens around it</source>
        <comment>4</comment>
        <translation>&amp;Clic izquierdo en un número abre a su alrededor</translation>
    </message>
    <message>
        <source>&amp;Question marks (?)</source>
        <comment>5</comment>
        <translation>Marcas de &amp;interrogación (?)</translation>
    </message>
    <message>
        <source>Safe &amp;first click</source>
        <comment>6</comment>
        <translation>&amp;Primer clic seguro</translation>
    </message>
    <message>
        <source>S&amp;tatistics...</source>
        <comment>7</comment>
        <translation>E&amp;stadísticas...</translation>
    </message>
    <message>
        <source>Statistics</source>
        <comment>8</comment>
        <translation>Estadísticas</translation>
    </message>
    <message>
        <source>Cell &amp;shape:</source>
        <comment>9</comment>
        <translation>&amp;Forma de casilla:</translation>
    </message>
    <message>
        <source>Level</source>
        <comment>10</comment>
        <translation>Nivel</translation>
    </message>
    <message>
        <source>Played</source>
        <comment>11</comment>
        <translation>Jugadas</translation>
    </message>
    <message>
        <source>Won</source>
        <comment>12</comment>
        <translation>Ganadas</translation>
    </message>
    <message>
        <source>Win rate</source>
        <comment>13</comment>
        <translation>% de victorias</translation>
    </message>
    <message>
        <source>Current streak</source>
        <comment>14</comment>
        <translation>Racha actual</translation>
    </message>
    <message>
        <source>Best streak</source>
        <comment>15</comment>
        <translation>Mejor racha</translation>
    </message>
    <message>
        <source>Best 3BV/s</source>
        <comment>16</comment>
        <translation>Mejor 3BV/s</translation>
    </message>
    <message>
        <source>Wins (%1), latest first:</source>
        <comment>17</comment>
        <translation>Victorias (%1), la más reciente primero:</translation>
    </message>
    <message>
        <source>Time</source>
        <comment>18</comment>
        <translation>Tiempo</translation>
    </message>
    <message>
        <source>&amp;Reset</source>
        <comment>19</comment>
        <translation>&amp;Borrar</translation>
    </message>
    <message>
        <source>Reset the statistics of all levels of this cell shape?</source>
        <comment>20</comment>
        <translation>¿Borrar las estadísticas de todos los niveles de esta forma de casilla?</translation>
    </message>
    <message>
        <source>&amp;Close</source>
        <comment>21</comment>
        <translation>&amp;Cerrar</translation>
    </message>
    <message>
        <source>No win yet.</source>
        <comment>22</comment>
        <translation>Aún ninguna victoria.</translation>
    </message>
    <message>
        <source>Custom</source>
        <comment>23</comment>
        <translation>Personalizado</translation>
    </message>
    <message>
        <source>Beginner</source>
        <comment>24</comment>
        <translation>Principiante</translation>
    </message>
    <message>
        <source>Novice</source>
        <comment>25</comment>
        <translation>Novato</translation>
    </message>
    <message>
        <source>Intermediate</source>
        <comment>26</comment>
        <translation>Intermedio</translation>
    </message>
    <message>
        <source>Advanced</source>
        <comment>27</comment>
        <translation>Avanzado</translation>
    </message>
    <message>
        <source>Expert</source>
        <comment>28</comment>
        <translation>Experto</translation>
    </message>
    <message>
        <source>Square</source>
        <comment>29</comment>
        <translation>Cuadrado</translation>
    </message>
    <message>
        <source>Diamond</source>
        <comment>30</comment>
        <translation>Rombo</translation>
    </message>
    <message>
        <source>Brick</source>
        <comment>31</comment>
        <translation>Ladrillo</translation>
    </message>
    <message>
        <source>Triangle</source>
        <comment>32</comment>
        <translation>Triángulo</translation>
    </message>
    <message>
        <source>Shifted Triangle</source>
        <comment>33</comment>
        <translation>Triángulo desplazado</translation>
    </message>
    <message>
        <source>Hexagon</source>
        <comment>34</comment>
        <translation>Hexágono</translation>
    </message>
    <message>
        <source>&amp;Custom...</source>
        <comment>35</comment>
        <translation>Pe&amp;rsonalizado...</translation>
    </message>
    <message>
        <source>Custom board</source>
        <comment>36</comment>
        <translation>Tablero personalizado</translation>
    </message>
    <message>
        <source>&amp;Width (columns):</source>
        <comment>37</comment>
        <translation>&amp;Ancho (columnas):</translation>
    </message>
    <message>
        <source>&amp;Height (rows):</source>
        <comment>38</comment>
        <translation>A&amp;lto (filas):</translation>
    </message>
    <message>
        <source>&amp;Mines:</source>
        <comment>39</comment>
        <translation>&amp;Minas:</translation>
    </message>
    <message>
        <source>From 1 to 32 columns, 1 to 24 rows, and fewer mines than cells.</source>
        <comment>40</comment>
        <translation>De 1 a 32 columnas, de 1 a 24 filas y menos minas que casillas.</translation>
    </message>
    <message>
        <source>OK</source>
        <comment>41</comment>
        <translation>Aceptar</translation>
    </message>
    <message>
        <source>Cancel</source>
        <comment>42</comment>
        <translation>Cancelar</translation>
    </message>
    <message>
        <source>&amp;Replay this board</source>
        <comment>43</comment>
        <translation>&amp;Repetir este tablero</translation>
    </message>
    <message>
        <source>&amp;Pause</source>
        <comment>44</comment>
        <translation>&amp;Pausa</translation>
    </message>
    <message>
        <source>Paused. Press P or click to go on.</source>
        <comment>45</comment>
        <translation>En pausa. Pulse P o haga clic para seguir.</translation>
    </message>
    <message>
        <source>Congratulations. You solved the game in less than a second.</source>
        <comment>46</comment>
        <translation>Enhorabuena. Ha resuelto la partida en menos de un segundo.</translation>
    </message>
    <message>
        <source>Pictures</source>
        <comment>47</comment>
        <translation>Imágenes</translation>
    </message>
    <message>
        <source>All files</source>
        <comment>48</comment>
        <translation>Todos los archivos</translation>
    </message>
    <message>
        <source>The statistics could not be written to %1.</source>
        <comment>49</comment>
        <translation>No se han podido guardar las estadísticas en %1.</translation>
    </message>
    <message>
        <source>No-&amp;guess boards</source>
        <comment>50</comment>
        <translation>Tableros sin &amp;azar</translation>
    </message>
    <message>
        <source>The help page %1 cannot be shown: no program to show web pages was found.</source>
        <comment>51</comment>
        <translation>No se puede mostrar la página de ayuda %1: no se ha encontrado ningún programa para ver páginas web.</translation>
    </message>
    <message>
        <source>The help file %1 is missing.</source>
        <comment>52</comment>
        <translation>Falta el archivo de ayuda %1.</translation>
    </message>
    <message>
        <source>&amp;View</source>
        <comment>53</comment>
        <translation>&amp;Ver</translation>
    </message>
    <message>
        <source>Zoom &amp;in</source>
        <comment>54</comment>
        <translation>&amp;Acercar</translation>
    </message>
    <message>
        <source>Zoom &amp;out</source>
        <comment>55</comment>
        <translation>A&amp;lejar</translation>
    </message>
    <message>
        <source>&amp;Actual size</source>
        <comment>56</comment>
        <translation>&amp;Tamaño real</translation>
    </message>
    <message>
        <source>&amp;Game</source>
        <comment>57</comment>
        <translation>&amp;Juego</translation>
    </message>
    <message>
        <source>&amp;New</source>
        <comment>58</comment>
        <translation>&amp;Nueva partida</translation>
    </message>
    <message>
        <source>&amp;Best times...</source>
        <comment>59</comment>
        <translation>&amp;Mejores tiempos...</translation>
    </message>
    <message>
        <source>E&amp;xit</source>
        <comment>60</comment>
        <translation>Sa&amp;lir</translation>
    </message>
    <message>
        <source>&amp;Cells</source>
        <comment>61</comment>
        <translation>&amp;Casillas</translation>
    </message>
    <message>
        <source>&amp;Square (classic)</source>
        <comment>62</comment>
        <translation>&amp;Cuadrado (clásico)</translation>
    </message>
    <message>
        <source>&amp;Diamond</source>
        <comment>63</comment>
        <translation>&amp;Rombo</translation>
    </message>
    <message>
        <source>&amp;Brick</source>
        <comment>64</comment>
        <translation>&amp;Ladrillo</translation>
    </message>
    <message>
        <source>&amp;Triangle</source>
        <comment>65</comment>
        <translation>&amp;Triángulo</translation>
    </message>
    <message>
        <source>S&amp;hifted Triangle</source>
        <comment>66</comment>
        <translation>Triángulo &amp;desplazado</translation>
    </message>
    <message>
        <source>&amp;Hexagon</source>
        <comment>67</comment>
        <translation>&amp;Hexágono</translation>
    </message>
    <message>
        <source>&amp;Level</source>
        <comment>68</comment>
        <translation>&amp;Nivel</translation>
    </message>
    <message>
        <source>&amp;Beginner</source>
        <comment>69</comment>
        <translation>&amp;Principiante</translation>
    </message>
    <message>
        <source>&amp;Novice</source>
        <comment>70</comment>
        <translation>&amp;Novato</translation>
    </message>
    <message>
        <source>&amp;Intermediate</source>
        <comment>71</comment>
        <translation>&amp;Intermedio</translation>
    </message>
    <message>
        <source>&amp;Advanced</source>
        <comment>72</comment>
        <translation>&amp;Avanzado</translation>
    </message>
    <message>
        <source>&amp;Expert</source>
        <comment>73</comment>
        <translation>&amp;Experto</translation>
    </message>
    <message>
        <source>&amp;Options</source>
        <comment>74</comment>
        <translation>&amp;Opciones</translation>
    </message>
    <message>
        <source>Set &amp;background color...</source>
        <comment>75</comment>
        <translation>Color de &amp;fondo...</translation>
    </message>
    <message>
        <source>Use texture &amp;%1</source>
        <comment>76</comment>
        <translation>Usar textura &amp;%1</translation>
    </message>
    <message>
        <source>&amp;Load texture...</source>
        <comment>77</comment>
        <translation>Car&amp;gar textura...</translation>
    </message>
    <message>
        <source>&amp;No texture</source>
        <comment>78</comment>
        <translation>Si&amp;n textura</translation>
    </message>
    <message>
        <source>&amp;Sound on</source>
        <comment>79</comment>
        <translation>&amp;Sonido</translation>
    </message>
    <message>
        <source>&amp;Help</source>
        <comment>80</comment>
        <translation>A&amp;yuda</translation>
    </message>
    <message>
        <source>&amp;Help contents</source>
        <comment>81</comment>
        <translation>&amp;Contenido de la ayuda</translation>
    </message>
    <message>
        <source>&amp;Visit Minevaro home page</source>
        <comment>82</comment>
        <translation>&amp;Visitar la página de Minevaro</translation>
    </message>
    <message>
        <source>&amp;About...</source>
        <comment>83</comment>
        <translation>&amp;Acerca de...</translation>
    </message>
    <message>
        <source>New game</source>
        <comment>84</comment>
        <translation>Nueva partida</translation>
    </message>
    <message>
        <source>Exit</source>
        <comment>85</comment>
        <translation>Salir</translation>
    </message>
    <message>
        <source>Time: </source>
        <comment>86</comment>
        <translation>Tiempo: </translation>
    </message>
    <message>
        <source>Congratulations. You solved the game in </source>
        <comment>87</comment>
        <translation>Enhorabuena. Ha resuelto la partida en </translation>
    </message>
    <message>
        <source>%d hour </source>
        <comment>88</comment>
        <translation>%d hora </translation>
    </message>
    <message>
        <source>%d hours </source>
        <comment>89</comment>
        <translation>%d horas </translation>
    </message>
    <message>
        <source>%d minute </source>
        <comment>90</comment>
        <translation>%d minuto </translation>
    </message>
    <message>
        <source>%d minutes </source>
        <comment>91</comment>
        <translation>%d minutos </translation>
    </message>
    <message>
        <source>%d second.</source>
        <comment>92</comment>
        <translation>%d segundo.</translation>
    </message>
    <message>
        <source>%d seconds.</source>
        <comment>93</comment>
        <translation>%d segundos.</translation>
    </message>
    <message>
        <source> You have the best time. Please enter your name:</source>
        <comment>94</comment>
        <translation> Ha conseguido el mejor tiempo. Escriba su nombre:</translation>
    </message>
    <message>
        <source>Best Times - %1</source>
        <comment>95</comment>
        <translation>Mejores tiempos - %1</translation>
    </message>
    <message>
        <source>&amp;Reset Scores</source>
        <comment>96</comment>
        <translation>&amp;Borrar tiempos</translation>
    </message>
    <message>
        <source>The best times could not be written to %1.</source>
        <comment>97</comment>
        <translation>No se han podido guardar los mejores tiempos en %1.</translation>
    </message>
    <message>
        <source>Open File</source>
        <comment>98</comment>
        <translation>Abrir archivo</translation>
    </message>
    <message>
        <source>Bitmap File</source>
        <comment>99</comment>
        <translation>Archivo de mapa de bits</translation>
    </message>
    <message>
        <source>About Minevaro</source>
        <comment>100</comment>
        <translation>Acerca de Minevaro</translation>
    </message>
    <message>
        <source>Minevaro for Windows (32 bit)</source>
        <comment>101</comment>
        <translation>Minevaro para Windows (32 bits)</translation>
    </message>
    <message>
        <source>Version 3.0</source>
        <comment>102</comment>
        <translation>Versión 3.0</translation>
    </message>
    <message>
        <source>Thank you</source>
        <comment>103</comment>
        <translation>Gracias</translation>
    </message>
    <message>
        <source>L&amp;anguage</source>
        <comment>104</comment>
        <translation>Idi&amp;oma</translation>
    </message>
    <message>
        <source>Anonymous</source>
        <comment>105</comment>
        <translation>Anónimo</translation>
    </message>
    <message>
        <source>The settings and statistics could not be kept in %1: there is no room left on the disk. The file keeps what was saved before.</source>
        <comment>106</comment>
        <translation>No se han podido guardar la configuración y las estadísticas en %1: no queda espacio en el disco. El archivo conserva lo que se guardó antes.</translation>
    </message>
    <message>
        <source>The settings and statistics could not be kept in %1 (%2). The file keeps what was saved before.</source>
        <comment>107</comment>
        <translation>No se han podido guardar la configuración y las estadísticas en %1 (%2). El archivo conserva lo que se guardó antes.</translation>
    </message>
</context>
</TS>
