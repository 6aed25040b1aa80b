<?xml version="1.0" encoding="utf-8"?>
<!DOCTYPE TS>
<TS version="2.1" language="ca_ES" sourcelanguage="en_US">
<context>
    <name>mvro</name>
    <message>
        <source>Reset the best times of all five levels of this cell shape?</source>
        <comment>1</comment>
        <translation>Voleu esborrar els millors temps dels cinc nivells d'aquesta forma de casella?</translation>
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
        <translation>&amp;Clic esquerre en un número obre al seu voltant</translation>
    </message>
    <message>
        <source>&amp;Question marks (?)</source>
        <comment>5</comment>
        <translation>Marques d'&amp;interrogació (?)</translation>
    </message>
    <message>
        <source>Safe &amp;first click</source>
        <comment>6</comment>
        <translation>&amp;Primer clic segur</translation>
    </message>
    <message>
        <source>S&amp;tatistics...</source>
        <comment>7</comment>
        <translation>E&amp;stadístiques...</translation>
    </message>
    <message>
        <source>Statistics</source>
        <comment>8</comment>
        <translation>Estadístiques</translation>
    </message>
    <message>
        <source>Cell &amp;shape:</source>
        <comment>9</comment>
        <translation>&amp;Forma de casella:</translation>
    </message>
    <message>
        <source>Level</source>
        <comment>10</comment>
        <translation>Nivell</translation>
    </message>
    <message>
        <source>Played</source>
        <comment>11</comment>
        <translation>Jugades</translation>
    </message>
    <message>
        <source>Won</source>
        <comment>12</comment>
        <translation>Guanyades</translation>
    </message>
    <message>
        <source>Win rate</source>
        <comment>13</comment>
        <translation>% de victòries</translation>
    </message>
    <message>
        <source>Current streak</source>
        <comment>14</comment>
        <translation>Ratxa actual</translation>
    </message>
    <message>
        <source>Best streak</source>
        <comment>15</comment>
        <translation>Millor ratxa</translation>
    </message>
    <message>
        <source>Best 3BV/s</source>
        <comment>16</comment>
        <translation>Millor 3BV/s</translation>
    </message>
    <message>
        <source>Wins (%1), latest first:</source>
        <comment>17</comment>
        <translation>Victòries (%1), la més recent primer:</translation>
    </message>
    <message>
        <source>Time</source>
        <comment>18</comment>
        <translation>Temps</translation>
    </message>
    <message>
        <source>&amp;Reset</source>
        <comment>19</comment>
        <translation>&amp;Esborra</translation>
    </message>
    <message>
        <source>Reset the statistics of all levels of this cell shape?</source>
        <comment>20</comment>
        <translation>Voleu esborrar les estadístiques de tots els nivells d'aquesta forma de casella?</translation>
    </message>
    <message>
        <source>&amp;Close</source>
        <comment>21</comment>
        <translation>&amp;Tanca</translation>
    </message>
    <message>
        <source>No win yet.</source>
        <comment>22</comment>
        <translation>Encara cap victòria.</translation>
    </message>
    <message>
        <source>Custom</source>
        <comment>23</comment>
        <translation>Personalitzat</translation>
    </message>
    <message>
        <source>Beginner</source>
        <comment>24</comment>
        <translation>Principiant</translation>
    </message>
    <message>
        <source>Novice</source>
        <comment>25</comment>
        <translation>Novell</translation>
    </message>
    <message>
        <source>Intermediate</source>
        <comment>26</comment>
        <translation>Intermedi</translation>
    </message>
    <message>
        <source>Advanced</source>
        <comment>27</comment>
        <translation>Avançat</translation>
    </message>
    <message>
        <source>Expert</source>
        <comment>28</comment>
        <translation>Expert</translation>
    </message>
    <message>
        <source>Square</source>
        <comment>29</comment>
        <translation>Quadrat</translation>
    </message>
    <message>
        <source>Diamond</source>
        <comment>30</comment>
        <translation>Rombe</translation>
    </message>
    <message>
        <source>Brick</source>
        <comment>31</comment>
        <translation>Maó</translation>
    </message>
    <message>
        <source>Triangle</source>
        <comment>32</comment>
        <translation>Triangle</translation>
    </message>
    <message>
        <source>Shifted Triangle</source>
        <comment>33</comment>
        <translation>Triangle desplaçat</translation>
    </message>
    <message>
        <source>Hexagon</source>
        <comment>34</comment>
        <translation>Hexàgon</translation>
    </message>
    <message>
        <source>&amp;Custom...</source>
        <comment>35</comment>
        <translation>Pe&amp;rsonalitzat...</translation>
    </message>
    <message>
        <source>Custom board</source>
        <comment>36</comment>
        <translation>Tauler personalitzat</translation>
    </message>
    <message>
        <source>&amp;Width (columns):</source>
        <comment>37</comment>
        <translation>&amp;Amplada (columnes):</translation>
    </message>
    <message>
        <source>&amp;Height (rows):</source>
        <comment>38</comment>
        <translation>A&amp;lçada (files):</translation>
    </message>
    <message>
        <source>&amp;Mines:</source>
        <comment>39</comment>
        <translation>&amp;Mines:</translation>
    </message>
    <message>
        <source>From 1 to 32 columns, 1 to 24 rows, and fewer mines than cells.</source>
        <comment>40</comment>
        <translation>D'1 a 32 columnes, d'1 a 24 files i menys mines que caselles.</translation>
    </message>
    <message>
        <source>OK</source>
        <comment>41</comment>
        <translation>D'acord</translation>
    </message>
    <message>
        <source>Cancel</source>
        <comment>42</comment>
        <translation>Cancel·la</translation>
    </message>
    <message>
        <source>&amp;Replay this board</source>
        <comment>43</comment>
        <translation>&amp;Repeteix aquest tauler</translation>
    </message>
    <message>
        <source>&amp;Pause</source>
        <comment>44</comment>
        <translation>&amp;Pausa</translation>
    </message>
    <message>
        <source>Paused. Press P or click to go on.</source>
        <comment>45</comment>
        <translation>En pausa. Premeu P o feu clic per continuar.</translation>
    </message>
    <message>
        <source>Congratulations. You solved the game in less than a second.</source>
        <comment>46</comment>
        <translation>Enhorabona. Heu resolt la partida en menys d'un segon.</translation>
    </message>
    <message>
        <source>Pictures</source>
        <comment>47</comment>
        <translation>Imatges</translation>
    </message>
    <message>
        <source>All files</source>
        <comment>48</comment>
        <translation>Tots els fitxers</translation>
    </message>
    <message>
        <source>The statistics could not be written to %1.</source>
        <comment>49</comment>
        <translation>No s'han pogut desar les estadístiques a %1.</translation>
    </message>
    <message>
        <source>No-&amp;guess boards</source>
        <comment>50</comment>
        <translation>Taulers sense &amp;atzar</translation>
    </message>
    <message>
        <source>The help page %1 cannot be shown: no program to show web pages was found.</source>
        <comment>51</comment>
        <translation>No es pot mostrar la pàgina d'ajuda %1: no s'ha trobat cap programa per veure pàgines web.</translation>
    </message>
    <message>
        <source>The help file %1 is missing.</source>
        <comment>52</comment>
        <translation>Falta el fitxer d'ajuda %1.</translation>
    </message>
    <message>
        <source>&amp;View</source>
        <comment>53</comment>
        <translation>&amp;Visualitza</translation>
    </message>
    <message>
        <source>Zoom &amp;in</source>
        <comment>54</comment>
        <translation>&amp;Apropa</translation>
    </message>
    <message>
        <source>Zoom &amp;out</source>
        <comment>55</comment>
        <translation>A&amp;llunya</translation>
    </message>
    <message>
        <source>&amp;Actual size</source>
        <comment>56</comment>
        <translation>Mida &amp;real</translation>
    </message>
    <message>
        <source>&amp;Game</source>
        <comment>57</comment>
        <translation>&amp;Joc</translation>
    </message>
    <message>
        <source>&amp;New</source>
        <comment>58</comment>
        <translation>&amp;Nova partida</translation>
    </message>
    <message>
        <source>&amp;Best times...</source>
        <comment>59</comment>
        <translation>&amp;Millors temps...</translation>
    </message>
    <message>
        <source>E&amp;xit</source>
        <comment>60</comment>
        <translation>S&amp;urt</translation>
    </message>
    <message>
        <source>&amp;Cells</source>
        <comment>61</comment>
        <translation>&amp;Caselles</translation>
    </message>
    <message>
        <source>&amp;Square (classic)</source>
        <comment>62</comment>
        <translation>&amp;Quadrat (clàssic)</translation>
    </message>
    <message>
        <source>&amp;Diamond</source>
        <comment>63</comment>
        <translation>&amp;Rombe</translation>
    </message>
    <message>
        <source>&amp;Brick</source>
        <comment>64</comment>
        <translation>&amp;Maó</translation>
    </message>
    <message>
        <source>&amp;Triangle</source>
        <comment>65</comment>
        <translation>&amp;Triangle</translation>
    </message>
    <message>
        <source>S&amp;hifted Triangle</source>
        <comment>66</comment>
        <translation>Triangle &amp;desplaçat</translation>
    </message>
    <message>
        <source>&amp;Hexagon</source>
        <comment>67</comment>
        <translation>&amp;Hexàgon</translation>
    </message>
    <message>
        <source>&amp;Level</source>
        <comment>68</comment>
        <translation>&amp;Nivell</translation>
    </message>
    <message>
        <source>&amp;Beginner</source>
        <comment>69</comment>
        <translation>&amp;Principiant</translation>
    </message>
    <message>
        <source>&amp;Novice</source>
        <comment>70</comment>
        <translation>&amp;Novell</translation>
    </message>
    <message>
        <source>&amp;Intermediate</source>
        <comment>71</comment>
        <translation>&amp;Intermedi</translation>
    </message>
    <message>
        <source>&amp;Advanced</source>
        <comment>72</comment>
        <translation>&amp;Avançat</translation>
    </message>
    <message>
        <source>&amp;Expert</source>
        <comment>73</comment>
        <translation>&amp;Expert</translation>
    </message>
    <message>
        <source>&amp;Options</source>
        <comment>74</comment>
        <translation>&amp;Opcions</translation>
    </message>
    <message>
        <source>Set &amp;background color...</source>
        <comment>75</comment>
        <translation>Color de &amp;fons...</translation>
    </message>
    <message>
        <source>Use texture &amp;%1</source>
        <comment>76</comment>
        <translation>Usa la textura &amp;%1</translation>
    </message>
    <message>
        <source>&amp;Load texture...</source>
        <comment>77</comment>
        <translation>Ca&amp;rrega una textura...</translation>
    </message>
    <message>
        <source>&amp;No texture</source>
        <comment>78</comment>
        <translation>Se&amp;nse textura</translation>
    </message>
    <message>
        <source>&amp;Sound on</source>
        <comment>79</comment>
        <translation>&amp;So activat</translation>
    </message>
    <message>
        <source>&amp;Help</source>
        <comment>80</comment>
        <translation>Aj&amp;uda</translation>
    </message>
    <message>
        <source>&amp;Help contents</source>
        <comment>81</comment>
        <translation>&amp;Contingut de l'ajuda</translation>
    </message>
    <message>
        <source>&amp;Visit Minevaro home page</source>
        <comment>82</comment>
        <translation>&amp;Visiteu la pàgina de Minevaro</translation>
    </message>
    <message>
        <source>&amp;About...</source>
        <comment>83</comment>
        <translation>&amp;Quant a...</translation>
    </message>
    <message>
        <source>New game</source>
        <comment>84</comment>
        <translation>Partida nova</translation>
    </message>
    <message>
        <source>Exit</source>
        <comment>85</comment>
        <translation>Surt</translation>
    </message>
    <message>
        <source>Time: </source>
        <comment>86</comment>
        <translation>Temps: </translation>
    </message>
    <message>
        <source>Congratulations. You solved the game in </source>
        <comment>87</comment>
        <translation>Enhorabona. Heu resolt la partida en </translation>
    </message>
    <message>
        <source>%d hour </source>
        <comment>88</comment>
        <translation>%d hora </translation>
    </message>
    <message>
        <source>%d hours </source>
        <comment>89</comment>
        <translation>%d hores </translation>
    </message>
    <message>
        <source>%d minute </source>
        <comment>90</comment>
        <translation>%d minut </translation>
    </message>
    <message>
        <source>%d minutes </source>
        <comment>91</comment>
        <translation>%d minuts </translation>
    </message>
    <message>
        <source>%d second.</source>
        <comment>92</comment>
        <translation>%d segon.</translation>
    </message>
    <message>
        <source>%d seconds.</source>
        <comment>93</comment>
        <translation>%d segons.</translation>
    </message>
    <message>
        <source> You have the best time. Please enter your name:</source>
        <comment>94</comment>
        <translation> Heu fet el millor temps. Escriviu el vostre nom:</translation>
    </message>
    <message>
        <source>Best Times - %1</source>
        <comment>95</comment>
        <translation>Millors temps - %1</translation>
    </message>
    <message>
        <source>&amp;Reset Scores</source>
        <comment>96</comment>
        <translation>&amp;Esborra els temps</translation>
    </message>
    <message>
        <source>The best times could not be written to %1.</source>
        <comment>97</comment>
        <translation>No s'han pogut desar els millors temps a %1.</translation>
    </message>
    <message>
        <source>Open File</source>
        <comment>98</comment>
        <translation>Obre un fitxer</translation>
    </message>
    <message>
        <source>Bitmap File</source>
        <comment>99</comment>
        <translation>Fitxer de mapa de bits</translation>
    </message>
    <message>
        <source>About Minevaro</source>
        <comment>100</comment>
        <translation>Quant a Minevaro</translation>
    </message>
    <message>
        <source>Minevaro for Windows (32 bit)</source>
        <comment>101</comment>
        <translation>Minevaro per a Windows (32 bits)</translation>
    </message>
    <message>
        <source>Version 3.0</source>
        <comment>102</comment>
        <translation>Versió 3.0</translation>
    </message>
    <message>
        <source>Thank you</source>
        <comment>103</comment>
        <translation>Gràcies</translation>
    </message>
    <message>
        <source>L&amp;anguage</source>
        <comment>104</comment>
        <translation>I&amp;dioma</translation>
    </message>
    <message>
        <source>Anonymous</source>
        <comment>105</comment>
        <translation>Anònim</translation>
    </message>
    <message>
        <source>The settings and statistics could not be kept in %1: there is no room left on the disk. The file keeps what was saved before.</source>
        <comment>106</comment>
        <translation>No s'han pogut desar la configuració i les estadístiques a %1: no queda espai al disc. El fitxer conserva el que s'hi va desar abans.</translation>
    </message>
    <message>
        <source>The settings and statistics could not be kept in %1 (%2). The file keeps what was saved before.</source>
        <comment>107</comment>
        <translation>No s'han pogut desar la configuració i les estadístiques a %1 (%2). El fitxer conserva el que s'hi va desar abans.</translation>
    </message>
</context>
</TS>
