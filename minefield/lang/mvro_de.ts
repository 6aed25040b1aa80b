<?xml version="1.0" encoding="utf-8"?>
<!DOCTYPE TS>
<TS version="2.1" language="de_DE" sourcelanguage="en_US">
<context>
    <name>mvro</name>
    <message>
        <source>Reset the best times of all five levels of this cell shape?</source>
        <comment>1</comment>
        <translation>Die Bestzeiten aller fünf Stufen dieser Zellform zurücksetzen?</translation>
    </message>
    <message>
        <source>&amp;Yes</source>
        <comment>2</comment>
        <translation>&amp;Ja</translation>
    </message>
    <message>
        <source>&amp;No</source>
        <comment>3</comment>
        <translation>&amp;Nein</translation>
    </message>
    <message>
        <source>&amp;Left click on a number opens around it</source>
        <comment>4</comment>
        <translation>&amp;Linksklick auf eine Zahl öffnet ringsum</translation>
    </message>
    <message>
        <source>&amp;Question marks (?)</source>
        <comment>5</comment>
        <translation>&amp;Fragezeichen (?)</translation>
    </message>
    <message>
        <source>Safe &amp;first click</source>
        <comment>6</comment>
        <translation>Sicherer &amp;erster Klick</translation>
    </message>
    <message>
        <source>S&amp;tatistics...</source>
        <comment>7</comment>
        <translation>S&amp;tatistik...</translation>
    </message>
    <message>
        <source>Statistics</source>
        <comment>8</comment>
        <translation>Statistik</translation>
    </message>
    <message>
        <source>Cell &amp;shape:</source>
        <comment>9</comment>
        <translation>&amp;Zellform:</translation>
    </message>
    <message>
        <source>Level</source>
        <comment>10</comment>
        <translation>Stufe</translation>
    </message>
    <message>
        <source>Played</source>
        <comment>11</comment>
        <translation>Gespielt</translation>
    </message>
    <message>
        <source>Won</source>
        <comment>12</comment>
        <translation>Gewonnen</translation>
    </message>
    <message>
        <source>Win rate</source>
        <comment>13</comment>
        <translation>Gewinnquote</translation>
    </message>
    <message>
        <source>Current streak</source>
        <comment>14</comment>
        <translation>Aktuelle Serie</translation>
    </message>
    <message>
        <source>Best streak</source>
        <comment>15</comment>
        <translation>Beste Serie</translation>
    </message>
    <message>
        <source>Best 3BV/s</source>
        <comment>16</comment>
        <translation>Beste 3BV/s</translation>
    </message>
    <message>
        <source>Wins (%1), latest first:</source>
        <comment>17</comment>
        <translation>Siege (%1), der neueste zuerst:</translation>
    </message>
    <message>
        <source>Time</source>
        <comment>18</comment>
        <translation>Zeit</translation>
    </message>
    <message>
        <source>&amp;Reset</source>
        <comment>19</comment>
        <translation>&amp;Zurücksetzen</translation>
    </message>
    <message>
        <source>Reset the statistics of all levels of this cell shape?</source>
        <comment>20</comment>
        <translation>Die Statistik aller Stufen dieser Zellform zurücksetzen?</translation>
    </message>
    <message>
        <source>&amp;Close</source>
        <comment>21</comment>
        <translation>&amp;Schließen</translation>
    </message>
    <message>
        <source>No win yet.</source>
        <comment>22</comment>
        <translation>Noch kein Sieg.</translation>
    </message>
    <message>
        <source>Custom</source>
        <comment>23</comment>
        <translation>Eigene Größe</translation>
    </message>
    <message>
        <source>Beginner</source>
        <comment>24</comment>
        <translation>Anfänger</translation>
    </message>
    <message>
        <source>Novice</source>
        <comment>25</comment>
        <translation>Neuling</translation>
    </message>
    <message>
        <source>Intermediate</source>
        <comment>26</comment>
        <translation>Mittel</translation>
    </message>
    <message>
        <source>Advanced</source>
        <comment>27</comment>
        <translation>Fortgeschritten</translation>
    </message>
    <message>
        <source>Expert</source>
        <comment>28</comment>
        <translation>Experte</translation>
    </message>
    <message>
        <source>Square</source>
        <comment>29</comment>
        <translation>Quadrat</translation>
    </message>
    <message>
        <source>Diamond</source>
        <comment>30</comment>
        <translation>Raute</translation>
    </message>
    <message>
        <source>Brick</source>
        <comment>31</comment>
        <translation>Ziegel</translation>
    </message>
    <message>
        <source>Triangle</source>
        <comment>32</comment>
        <translation>Dreieck</translation>
    </message>
    <message>
        <source>Shifted Triangle</source>
        <comment>33</comment>
        <translation>Versetztes Dreieck</translation>
    </message>
    <message>
        <source>Hexagon</source>
        <comment>34</comment>
        <translation>Sechseck</translation>
    </message>
    <message>
        <source>&amp;Custom...</source>
        <comment>35</comment>
        <translation>Ei&amp;gene Größe...</translation>
    </message>
    <message>
        <source>Custom board</source>
        <comment>36</comment>
        <translation>Eigenes Spielfeld</translation>
    </message>
    <message>
        <source>&amp;Width (columns):</source>
        <comment>37</comment>
        <translation>&amp;Breite (Spalten):</translation>
    </message>
    <message>
        <source>&amp;Height (rows):</source>
        <comment>38</comment>
        <translation>&amp;Höhe (Zeilen):</translation>
    </message>
    <message>
        <source>&amp;Mines:</source>
        <comment>39</comment>
        <translation>&amp;Minen:</translation>
    </message>
    <message>
        <source>From 1 to 32 columns, 1 to 24 rows, and fewer mines than cells.</source>
        <comment>40</comment>
        <translation>1 bis 32 Spalten, 1 bis 24 Zeilen und weniger Minen als Zellen.</translation>
    </message>
    <message>
        <source>OK</source>
        <comment>41</comment>
        <translation>OK</translation>
    </message>
    <message>
        <source>Cancel</source>
        <comment>42</comment>
        <translation>Abbrechen</translation>
    </message>
    <message>
        <source>&amp;Replay this board</source>
        <comment>43</comment>
        <translation>Dieses Feld &amp;wiederholen</translation>
    </message>
    <message>
        <source>&amp;Pause</source>
        <comment>44</comment>
        <translation>&amp;Pause</translation>
    </message>
    <message>
        <source>Paused. Press P or click to go on.</source>
        <comment>45</comment>
        <translation>Pause. P drücken oder klicken, um weiterzuspielen.</translation>
    </message>
    <message>
        <source>Congratulations. You solved the game in less than a second.</source>
        <comment>46</comment>
        <translation>Glückwunsch. Sie haben das Spiel in weniger als einer Sekunde gelöst.</translation>
    </message>
    <message>
        <source>Pictures</source>
        <comment>47</comment>
        <translation>Bilder</translation>
    </message>
    <message>
        <source>All files</source>
        <comment>48</comment>
        <translation>Alle Dateien</translation>
    </message>
    <message>
        <source>The statistics could not be written to %1.</source>
        <comment>49</comment>
        <translation>Die Statistik konnte nicht in %1 geschrieben werden.</translation>
    </message>
    <message>
        <source>No-&amp;guess boards</source>
        <comment>50</comment>
        <translation>Felder ohne &amp;Raten</translation>
    </message>
    <message>
        <source>The help page %1 cannot be shown: no program to show web pages was found.</source>
        <comment>51</comment>
        <translation>Die Hilfeseite %1 kann nicht angezeigt werden: Es wurde kein Programm zum Anzeigen von Webseiten gefunden.</translation>
    </message>
    <message>
        <source>The help file %1 is missing.</source>
        <comment>52</comment>
        <translation>Die Hilfedatei %1 fehlt.</translation>
    </message>
    <message>
        <source>&amp;View</source>
        <comment>53</comment>
        <translation>&amp;Ansicht</translation>
    </message>
    <message>
        <source>Zoom &amp;in</source>
        <comment>54</comment>
        <translation>Ver&amp;größern</translation>
    </message>
    <message>
        <source>Zoom &amp;out</source>
        <comment>55</comment>
        <translation>Ver&amp;kleinern</translation>
    </message>
    <message>
        <source>&amp;Actual size</source>
        <comment>56</comment>
        <translation>&amp;Originalgröße</translation>
    </message>
    <message>
        <source>&amp;Game</source>
        <comment>57</comment>
        <translation>&amp;Spiel</translation>
    </message>
    <message>
        <source>&amp;New</source>
        <comment>58</comment>
        <translation>&amp;Neues Spiel</translation>
    </message>
    <message>
        <source>&amp;Best times...</source>
        <comment>59</comment>
        <translation>&amp;Bestzeiten...</translation>
    </message>
    <message>
        <source>E&amp;xit</source>
        <comment>60</comment>
        <translation>Be&amp;enden</translation>
    </message>
    <message>
        <source>&amp;Cells</source>
        <comment>61</comment>
        <translation>&amp;Zellen</translation>
    </message>
    <message>
        <source>&amp;Square (classic)</source>
        <comment>62</comment>
        <translation>&amp;Quadrat (klassisch)</translation>
    </message>
    <message>
        <source>&amp;Diamond</source>
        <comment>63</comment>
        <translation>&amp;Raute</translation>
    </message>
    <message>
        <source>&amp;Brick</source>
        <comment>64</comment>
        <translation>&amp;Ziegel</translation>
    </message>
    <message>
        <source>&amp;Triangle</source>
        <comment>65</comment>
        <translation>&amp;Dreieck</translation>
    </message>
    <message>
        <source>S&amp;hifted Triangle</source>
        <comment>66</comment>
        <translation>&amp;Versetztes Dreieck</translation>
    </message>
    <message>
        <source>&amp;Hexagon</source>
        <comment>67</comment>
        <translation>&amp;Sechseck</translation>
    </message>
    <message>
        <source>&amp;Level</source>
        <comment>68</comment>
        <translation>S&amp;tufe</translation>
    </message>
    <message>
        <source>&amp;Beginner</source>
        <comment>69</comment>
        <translation>&amp;Anfänger</translation>
    </message>
    <message>
        <source>&amp;Novice</source>
        <comment>70</comment>
        <translation>&amp;Neuling</translation>
    </message>
    <message>
        <source>&amp;Intermediate</source>
        <comment>71</comment>
        <translation>&amp;Mittel</translation>
    </message>
    <message>
        <source>&amp;Advanced</source>
        <comment>72</comment>
        <translation>&amp;Fortgeschritten</translation>
    </message>
    <message>
        <source>&amp;Expert</source>
        <comment>73</comment>
        <translation>&amp;Experte</translation>
    </message>
    <message>
        <source>&amp;Options</source>
        <comment>74</comment>
        <translation>&amp;Optionen</translation>
    </message>
    <message>
        <source>Set &amp;background color...</source>
        <comment>75</comment>
        <translation>&amp;Hintergrundfarbe...</translation>
    </message>
    <message>
        <source>Use texture &amp;%1</source>
        <comment>76</comment>
        <translation>Textur &amp;%1 verwenden</translation>
    </message>
    <message>
        <source>&amp;Load texture...</source>
        <comment>77</comment>
        <translation>Textur la&amp;den...</translation>
    </message>
    <message>
        <source>&amp;No texture</source>
        <comment>78</comment>
        <translation>&amp;Keine Textur</translation>
    </message>
    <message>
        <source>&amp;Sound on</source>
        <comment>79</comment>
        <translation>&amp;Ton an</translation>
    </message>
    <message>
        <source>&amp;Help</source>
        <comment>80</comment>
        <translation>&amp;Hilfe</translation>
    </message>
    <message>
        <source>&amp;Help contents</source>
        <comment>81</comment>
        <translation>&amp;Hilfeinhalt</translation>
    </message>
    <message>
        <source>&amp;Visit Minevaro home page</source>
        <comment>82</comment>
        <translation>Minevaro-&amp;Webseite besuchen</translation>
    </message>
    <message>
        <source>&amp;About...</source>
        <comment>83</comment>
        <translation>Ü&amp;ber...</translation>
    </message>
    <message>
        <source>New game</source>
        <comment>84</comment>
        <translation>Neues Spiel</translation>
    </message>
    <message>
        <source>Exit</source>
        <comment>85</comment>
        <translation>Beenden</translation>
    </message>
    <message>
        <source>Time: </source>
        <comment>86</comment>
        <translation>Zeit: </translation>
    </message>
    <message>
        <source>Congratulations. You solved the game in </source>
        <comment>87</comment>
        <translation>Glückwunsch. Ihre Zeit: </translation>
    </message>
    <message>
        <source>%d hour </source>
        <comment>88</comment>
        <translation>%d Stunde </translation>
    </message>
    <message>
        <source>%d hours </source>
        <comment>89</comment>
        <translation>%d Stunden </translation>
    </message>
    <message>
        <source>%d minute </source>
        <comment>90</comment>
        <translation>%d Minute </translation>
    </message>
    <message>
        <source>%d minutes </source>
        <comment>91</comment>
        <translation>%d Minuten </translation>
    </message>
    <message>
        <source>%d second.</source>
        <comment>92</comment>
        <translation>%d Sekunde.</translation>
    </message>
    <message>
        <source>%d seconds.</source>
        <comment>93</comment>
        <translation>%d Sekunden.</translation>
    </message>
    <message>
        <source> You have the best time. Please enter your name:</source>
        <comment>94</comment>
        <translation> Sie haben die Bestzeit. Bitte geben Sie Ihren Namen ein:</translation>
    </message>
    <message>
        <source>Best Times - %1</source>
        <comment>95</comment>
        <translation>Bestzeiten - %1</translation>
    </message>
    <message>
        <source>&amp;Reset Scores</source>
        <comment>96</comment>
        <translation>&amp;Zeiten zurücksetzen</translation>
    </message>
    <message>
        <source>The best times could not be written to %1.</source>
        <comment>97</comment>
        <translation>Die Bestzeiten konnten nicht in %1 geschrieben werden.</translation>
    </message>
    <message>
        <source>Open File</source>
        <comment>98</comment>
        <translation>Datei öffnen</translation>
    </message>
    <message>
        <source>Bitmap File</source>
        <comment>99</comment>
        <translation>Bitmap-Datei</translation>
    </message>
    <message>
        <source>About Minevaro</source>
        <comment>100</comment>
        <translation>Über Minevaro</translation>
    </message>
    <message>
        <source>Minevaro for Windows (32 bit)</source>
        <comment>101</comment>
        <translation>Minevaro für Windows (32 Bit)</translation>
    </message>
    <message>
        <source>Version 3.0</source>
        <comment>102</comment>
        <translation>Version 3.0</translation>
    </message>
    <message>
        <source>Thank you</source>
        <comment>103</comment>
        <translation>Danke</translation>
    </message>
    <message>
        <source>L&amp;anguage</source>
        <comment>104</comment>
        <translation>&amp;Sprache</translation>
    </message>
    <message>
        <source>Anonymous</source>
        <comment>105</comment>
        <translation>Anonym</translation>
    </message>
    <message>
        <source>The settings and statistics could not be kept in %1: there is no room left on the disk. The file keeps what was saved before.</source>
        <comment>106</comment>
        <translation>Die Einstellungen und die Statistik konnten nicht in %1 gespeichert werden: Auf dem Datenträger ist kein Platz mehr frei. Die Datei behält den zuletzt gespeicherten Stand.</translation>
    </message>
    <message>
        <source>The settings and statistics could not be kept in %1 (%2). The file keeps what was saved before.</source>
        <comment>107</comment>
        <translation>Die Einstellungen und die Statistik konnten nicht in %1 gespeichert werden (%2). Die Datei behält den zuletzt gespeicherten Stand.</translation>
    </message>
</context>
</TS>
