<?xml version="1.0" encoding="utf-8"?>
<!DOCTYPE TS>
<TS version="2.1" language="it_IT" sourcelanguage="en_US">
<context>
    <name>mvro</name>
    <message>
        <source>Reset the best times of all five levels of this cell shape?</source>
        <comment>1</comment>
        <translation>Azzerare i tempi migliori di tutti e cinque i livelli di questa forma di casella?</translation>
    </message>
    <message>
        <source>&amp;Yes</source>
        <comment>2</comment>
        <translation>&amp;Sì</translation>
    </message>
    <message>
        <source>&amp;No</source>
        <comment>3</comment>
        <translation>&amp;No</translation>
    </message>
    <message>
        <source>&amp;Left click on a number opens around it</source>
        <comment>4</comment>
        <translation>Clic &amp;sinistro su un numero apre intorno</translation>
    </message>
    <message>
        <source>&amp;Question marks (?)</source>
        <comment>5</comment>
        <translation>Punti &amp;interrogativi (?)</translation>
    </message>
    <message>
        <source>Safe &amp;first click</source>
        <comment>6</comment>
        <translation>&amp;Primo clic sicuro</translation>
    </message>
    <message>
        <source>S&amp;tatistics...</source>
        <comment>7</comment>
        <translation>S&amp;tatistiche...</translation>
    </message>
    <message>
        <source>Statistics</source>
        <comment>8</comment>
        <translation>Statistiche</translation>
    </message>
    <message>
        <source>Cell &amp;shape:</source>
        <comment>9</comment>
        <translation>&amp;Forma delle caselle:</translation>
    </message>
    <message>
        <source>Level</source>
        <comment>10</comment>
        <translation>Livello</translation>
    </message>
    <message>
        <source>Played</source>
        <comment>11</comment>
        <translation>Giocate</translation>
    </message>
    <message>
        <source>Won</source>
        <comment>12</comment>
        <translation>Vinte</translation>
    </message>
    <message>
        <source>Win rate</source>
        <comment>13</comment>
        <translation>% di vittorie</translation>
    </message>
    <message>
        <source>Current streak</source>
        <comment>14</comment>
        <translation>Serie attuale</translation>
    </message>
    <message>
        <source>Best streak</source>
        <comment>15</comment>
        <translation>Serie migliore</translation>
    </message>
    <message>
        <source>Best 3BV/s</source>
        <comment>16</comment>
        <translation>Miglior 3BV/s</translation>
    </message>
    <message>
        <source>Wins (%1), latest first:</source>
        <comment>17</comment>
        <translation>Vittorie (%1), dalla più recente:</translation>
    </message>
    <message>
        <source>Time</source>
        <comment>18</comment>
        <translation>Tempo</translation>
    </message>
    <message>
        <source>&amp;Reset</source>
        <comment>19</comment>
        <translation>&amp;Azzera</translation>
    </message>
    <message>
        <source>Reset the statistics of all levels of this cell shape?</source>
        <comment>20</comment>
        <translation>Azzerare le statistiche di tutti i livelli di questa forma di casella?</translation>
    </message>
    <message>
        <source>&amp;Close</source>
        <comment>21</comment>
        <translation>&amp;Chiudi</translation>
    </message>
    <message>
        <source>No win yet.</source>
        <comment>22</comment>
        <translation>Ancora nessuna vittoria.</translation>
    </message>
    <message>
        <source>Custom</source>
        <comment>23</comment>
        <translation>Personalizzato</translation>
    </message>
    <message>
        <source>Beginner</source>
        <comment>24</comment>
        <translation>Principiante</translation>
    </message>
    <message>
        <source>Novice</source>
        <comment>25</comment>
        <translation>Novizio</translation>
    </message>
    <message>
        <source>Intermediate</source>
        <comment>26</comment>
        <translation>Intermedio</translation>
    </message>
    <message>
        <source>Advanced</source>
        <comment>27</comment>
        <translation>Avanzato</translation>
    </message>
    <message>
        <source>Expert</source>
        <comment>28</comment>
        <translation>Esperto</translation>
    </message>
    <message>
        <source>Square</source>
        <comment>29</comment>
        <translation>Quadrato</translation>
    </message>
    <message>
        <source>Diamond</source>
        <comment>30</comment>
        <translation>Rombo</translation>
    </message>
    <message>
        <source>Brick</source>
        <comment>31</comment>
        <translation>Mattone</translation>
    </message>
    <message>
        <source>Triangle</source>
        <comment>32</comment>
        <translation>Triangolo</translation>
    </message>
    <message>
        <source>Shifted Triangle</source>
        <comment>33</comment>
        <translation>Triangolo sfalsato</translation>
    </message>
    <message>
        <source>Hexagon</source>
        <comment>34</comment>
        <translation>Esagono</translation>
    </message>
    <message>
        <source>&amp;Custom...</source>
        <comment>35</comment>
        <translation>Pe&amp;rsonalizzato...</translation>
    </message>
    <message>
        <source>Custom board</source>
        <comment>36</comment>
        <translation>Campo personalizzato</translation>
    </message>
    <message>
        <source>&amp;Width (columns):</source>
        <comment>37</comment>
        <translation>&amp;Larghezza (colonne):</translation>
    </message>
    <message>
        <source>&amp;Height (rows):</source>
        <comment>38</comment>
        <translation>&amp;Altezza (righe):</translation>
    </message>
    <message>
        <source>&amp;Mines:</source>
        <comment>39</comment>
        <translation>&amp;Mine:</translation>
    </message>
    <message>
        <source>From 1 to 32 columns, 1 to 24 rows, and fewer mines than cells.</source>
        <comment>40</comment>
        <translation>Da 1 a 32 colonne, da 1 a 24 righe e meno mine che caselle.</translation>
    </message>
    <message>
        <source>OK</source>
        <comment>41</comment>
        <translation>OK</translation>
    </message>
    <message>
        <source>Cancel</source>
        <comment>42</comment>
        <translation>Annulla</translation>
    </message>
    <message>
        <source>&amp;Replay this board</source>
        <comment>43</comment>
        <translation>&amp;Rigioca questo campo</translation>
    </message>
    <message>
        <source>&amp;Pause</source>
        <comment>44</comment>
        <translation>&amp;Pausa</translation>
    </message>
    <message>
        <source>Paused. Press P or click to go on.</source>
        <comment>45</comment>
        <translation>In pausa. Premi P o fai clic per continuare.</translation>
    </message>
    <message>
        <source>Congratulations. You solved the game in less than a second.</source>
        <comment>46</comment>
        <translation>Complimenti. Hai risolto la partita in meno di un secondo.</translation>
    </message>
    <message>
        <source>Pictures</source>
        <comment>47</comment>
        <translation>Immagini</translation>
    </message>
    <message>
        <source>All files</source>
        <comment>48</comment>
        <translation>Tutti i file</translation>
    </message>
    <message>
        <source>The statistics could not be written to %1.</source>
        <comment>49</comment>
        <translation>Non è stato possibile scrivere le statistiche in %1.</translation>
    </message>
    <message>
        <source>No-&amp;guess boards</source>
        <comment>50</comment>
        <translation>Campi senza &amp;azzardo</translation>
    </message>
    <message>
        <source>The help page %1 cannot be shown: no program to show web pages was found.</source>
        <comment>51</comment>
        <translation>La pagina della guida %1 non può essere mostrata: non è stato trovato alcun programma per vedere le pagine web.</translation>
    </message>
    <message>
        <source>The help file %1 is missing.</source>
        <comment>52</comment>
        <translation>Manca il file della guida %1.</translation>
    </message>
    <message>
        <source>&amp;View</source>
        <comment>53</comment>
        <translation>&amp;Visualizza</translation>
    </message>
    <message>
        <source>Zoom &amp;in</source>
        <comment>54</comment>
        <translation>&amp;Ingrandisci</translation>
    </message>
    <message>
        <source>Zoom &amp;out</source>
        <comment>55</comment>
        <translation>Ri&amp;duci</translation>
    </message>
    <message>
        <source>&amp;Actual size</source>
        <comment>56</comment>
        <translation>Dimensioni &amp;reali</translation>
    </message>
    <message>
        <source>&amp;Game</source>
        <comment>57</comment>
        <translation>&amp;Partita</translation>
    </message>
    <message>
        <source>&amp;New</source>
        <comment>58</comment>
        <translation>&amp;Nuova partita</translation>
    </message>
    <message>
        <source>&amp;Best times...</source>
        <comment>59</comment>
        <translation>&amp;Migliori tempi...</translation>
    </message>
    <message>
        <source>E&amp;xit</source>
        <comment>60</comment>
        <translation>&amp;Esci</translation>
    </message>
    <message>
        <source>&amp;Cells</source>
        <comment>61</comment>
        <translation>&amp;Caselle</translation>
    </message>
    <message>
        <source>&amp;Square (classic)</source>
        <comment>62</comment>
        <translation>&amp;Quadrato (classico)</translation>
    </message>
    <message>
        <source>&amp;Diamond</source>
        <comment>63</comment>
        <translation>&amp;Rombo</translation>
    </message>
    <message>
        <source>&amp;Brick</source>
        <comment>64</comment>
        <translation>&amp;Mattone</translation>
    </message>
    <message>
        <source>&amp;Triangle</source>
        <comment>65</comment>
        <translation>&amp;Triangolo</translation>
    </message>
    <message>
        <source>S&amp;hifted Triangle</source>
        <comment>66</comment>
        <translation>Triangolo &amp;sfalsato</translation>
    </message>
    <message>
        <source>&amp;Hexagon</source>
        <comment>67</comment>
        <translation>&amp;Esagono</translation>
    </message>
    <message>
        <source>&amp;Level</source>
        <comment>68</comment>
        <translation>&amp;Livello</translation>
    </message>
    <message>
        <source>&amp;Beginner</source>
        <comment>69</comment>
        <translation>&amp;Principiante</translation>
    </message>
    <message>
        <source>&amp;Novice</source>
        <comment>70</comment>
        <translation>&amp;Novizio</translation>
    </message>
    <message>
        <source>&amp;Intermediate</source>
        <comment>71</comment>
        <translation>&amp;Intermedio</translation>
    </message>
    <message>
        <source>&amp;Advanced</source>
        <comment>72</comment>
        <translation>&amp;Avanzato</translation>
    </message>
    <message>
        <source>&amp;Expert</source>
        <comment>73</comment>
        <translation>&amp;Esperto</translation>
    </message>
    <message>
        <source>&amp;Options</source>
        <comment>74</comment>
        <translation>&amp;Opzioni</translation>
    </message>
    <message>
        <source>Set &amp;background color...</source>
        <comment>75</comment>
        <translation>&amp;Colore di sfondo...</translation>
    </message>
    <message>
        <source>Use texture &amp;%1</source>
        <comment>76</comment>
        <translation>Usa la texture &amp;%1</translation>
    </message>
    <message>
        <source>&amp;Load texture...</source>
        <comment>77</comment>
        <translation>Carica &amp;texture...</translation>
    </message>
    <message>
        <source>&amp;No texture</source>
        <comment>78</comment>
        <translation>&amp;Nessuna texture</translation>
    </message>
    <message>
        <source>&amp;Sound on</source>
        <comment>79</comment>
        <translation>S&amp;uono attivo</translation>
    </message>
    <message>
        <source>&amp;Help</source>
        <comment>80</comment>
        <translation>A&amp;iuto</translation>
    </message>
    <message>
        <source>&amp;Help contents</source>
        <comment>81</comment>
        <translation>&amp;Sommario della guida</translation>
    </message>
    <message>
        <source>&amp;Visit Minevaro home page</source>
        <comment>82</comment>
        <translation>&amp;Visita la pagina di Minevaro</translation>
    </message>
    <message>
        <source>&amp;About...</source>
        <comment>83</comment>
        <translation>&amp;Informazioni...</translation>
    </message>
    <message>
        <source>New game</source>
        <comment>84</comment>
        <translation>Nuova partita</translation>
    </message>
    <message>
        <source>Exit</source>
        <comment>85</comment>
        <translation>Esci</translation>
    </message>
    <message>
        <source>Time: </source>
        <comment>86</comment>
        <translation>Tempo: </translation>
    </message>
    <message>
        <source>Congratulations. You solved the game in </source>
        <comment>87</comment>
        <translation>Complimenti. Hai risolto la partita in </translation>
    </message>
    <message>
        <source>%d hour </source>
        <comment>88</comment>
        <translation>%d ora </translation>
    </message>
    <message>
        <source>%d hours </source>
        <comment>89</comment>
        <translation>%d ore </translation>
    </message>
    <message>
        <source>%d minute </source>
        <comment>90</comment>
        <translation>%d minuto </translation>
    </message>
    <message>
        <source>%d minutes </source>
        <comment>91</comment>
        <translation>%d minuti </translation>
    </message>
    <message>
        <source>%d second.</source>
        <comment>92</comment>
        <translation>%d secondo.</translation>
    </message>
    <message>
        <source>%d seconds.</source>
        <comment>93</comment>
        <translation>%d secondi.</translation>
    </message>
    <message>
        <source> You have the best time. Please enter your name:</source>
        <comment>94</comment>
        <translation> Hai il tempo migliore. Inserisci il tuo nome:</translation>
    </message>
    <message>
        <source>Best Times - %1</source>
        <comment>95</comment>
        <translation>Migliori tempi - %1</translation>
    </message>
    <message>
        <source>&amp;Reset Scores</source>
        <comment>96</comment>
        <translation>&amp;Azzera i tempi</translation>
    </message>
    <message>
        <source>The best times could not be written to %1.</source>
        <comment>97</comment>
        <translation>Non è stato possibile scrivere i tempi migliori in %1.</translation>
    </message>
    <message>
        <source>Open File</source>
        <comment>98</comment>
        <translation>Apri file</translation>
    </message>
    <message>
        <source>Bitmap File</source>
        <comment>99</comment>
        <translation>File bitmap</translation>
    </message>
    <message>
        <source>About Minevaro</source>
        <comment>100</comment>
        <translation>Informazioni su Minevaro</translation>
    </message>
    <message>
        <source>Minevaro for Windows (32 bit)</source>
        <comment>101</comment>
        <translation>Minevaro per Windows (32 bit)</translation>
    </message>
    <message>
        <source>Version 3.0</source>
        <comment>102</comment>
        <translation>Versione 3.0</translation>
    </message>
    <message>
        <source>Thank you</source>
        <comment>103</comment>
        <translation>Grazie</translation>
    </message>
    <message>
        <source>L&amp;anguage</source>
        <comment>104</comment>
        <translation>&amp;Lingua</translation>
    </message>
    <message>
        <source>Anonymous</source>
        <comment>105</comment>
        <translation>Anonimo</translation>
    </message>
    <message>
        <source>The settings and statistics could not be kept in %1: there is no room left on the disk. The file keeps what was saved before.</source>
        <comment>106</comment>
        <translation>Non è stato possibile salvare le impostazioni e le statistiche in %1: sul disco non c'è più spazio. Il file conserva quanto salvato in precedenza.</translation>
    </message>
    <message>
        <source>The settings and statistics could not be kept in %1 (%2). The file keeps what was saved before.</source>
        <comment>107</comment>
        <translation>Non è stato possibile salvare le impostazioni e le statistiche in %1 (%2). Il file conserva quanto salvato in precedenza.</translation>
    </message>
</context>
</TS>
