<?xml version="1.0" encoding="utf-8"?>
<!DOCTYPE TS>
<TS version="2.1" language="fr_FR" sourcelanguage="en_US">
<context>
    <name>mvro</name>
    <message>
        <source>Reset the best times of all five levels of this cell shape?</source>
        <comment>1</comment>
        <translation>Effacer les meilleurs temps des cinq niveaux de cette forme de case ?</translation>
    </message>
    <message>
        <source>&amp;Yes</source>
        <comment>2</comment>
        <translation>&amp;Oui</translation>
    </message>
    <message>
        <source>&amp;No</source>
        <comment>3</comment>
        <translation>&amp;Non</translation>
    </message>
    <message>
        <source>&amp;Left click on a number opens around it</source>
        <comment>4</comment>
        <translation>Clic &amp;gauche sur un nombre ouvre autour</translation>
    </message>
    <message>
        <source>&amp;Question marks (?)</source>
        <comment>5</comment>
        <translation>Points d'&amp;interrogation (?)</translation>
    </message>
    <message>
        <source>Safe &amp;first click</source>
        <comment>6</comment>
        <translation>&amp;Premier clic sûr</translation>
    </message>
    <message>
        <source>S&amp;tatistics...</source>
        <comment>7</comment>
        <translation>S&amp;tatistiques...</translation>
    </message>
    <message>
        <source>Statistics</source>
        <comment>8</comment>
        <translation>Statistiques</translation>
    </message>
    <message>
        <source>Cell &amp;shape:</source>
        <comment>9</comment>
        <translation>&amp;Forme des cases :</translation>
    </message>
    <message>
        <source>Level</source>
        <comment>10</comment>
        <translation>Niveau</translation>
    </message>
    <message>
        <source>Played</source>
        <comment>11</comment>
        <translation>Jouées</translation>
    </message>
    <message>
        <source>Won</source>
        <comment>12</comment>
        <translation>Gagnées</translation>
    </message>
    <message>
        <source>Win rate</source>
        <comment>13</comment>
        <translation>Taux de victoires</translation>
    </message>
    <message>
        <source>Current streak</source>
        <comment>14</comment>
        <translation>Série en cours</translation>
    </message>
    <message>
        <source>Best streak</source>
        <comment>15</comment>
        <translation>Meilleure série</translation>
    </message>
    <message>
        <source>Best 3BV/s</source>
        <comment>16</comment>
        <translation>Meilleur 3BV/s</translation>
    </message>
    <message>
        <source>Wins (%1), latest first:</source>
        <comment>17</comment>
        <translation>Victoires (%1), la plus récente d'abord :</translation>
    </message>
    <message>
        <source>Time</source>
        <comment>18</comment>
        <translation>Temps</translation>
    </message>
    <message>
        <source>&amp;Reset</source>
        <comment>19</comment>
        <translation>&amp;Réinitialiser</translation>
    </message>
    <message>
        <source>Reset the statistics of all levels of this cell shape?</source>
        <comment>20</comment>
        <translation>Effacer les statistiques de tous les niveaux de cette forme de case ?</translation>
    </message>
    <message>
        <source>&amp;Close</source>
        <comment>21</comment>
        <translation>&amp;Fermer</translation>
    </message>
    <message>
        <source>No win yet.</source>
        <comment>22</comment>
        <translation>Aucune victoire pour l'instant.</translation>
    </message>
    <message>
        <source>Custom</source>
        <comment>23</comment>
        <translation>Personnalisé</translation>
    </message>
    <message>
        <source>Beginner</source>
        <comment>24</comment>
        <translation>Débutant</translation>
    </message>
    <message>
        <source>Novice</source>
        <comment>25</comment>
        <translation>Novice</translation>
    </message>
    <message>
        <source>Intermediate</source>
        <comment>26</comment>
        <translation>Intermédiaire</translation>
    </message>
    <message>
        <source>Advanced</source>
        <comment>27</comment>
        <translation>Avancé</translation>
    </message>
    <message>
        <source>Expert</source>
        <comment>28</comment>
        <translation>Expert</translation>
    </message>
    <message>
        <source>Square</source>
        <comment>29</comment>
        <translation>Carré</translation>
    </message>
    <message>
        <source>Diamond</source>
        <comment>30</comment>
        <translation>Losange</translation>
    </message>
    <message>
        <source>Brick</source>
        <comment>31</comment>
        <translation>Brique</translation>
    </message>
    <message>
        <source>Triangle</source>
        <comment>32</comment>
        <translation>Triangle</translation>
    </message>
    <message>
        <source>Shifted Triangle</source>
        <comment>33</comment>
        <translation>Triangle décalé</translation>
    </message>
    <message>
        <source>Hexagon</source>
        <comment>34</comment>
        <translation>Hexagone</translation>
    </message>
    <message>
        <source>&amp;Custom...</source>
        <comment>35</comment>
        <translation>&amp;Personnalisé...</translation>
    </message>
    <message>
        <source>Custom board</source>
        <comment>36</comment>
        <translation>Plateau personnalisé</translation>
    </message>
    <message>
        <source>&amp;Width (columns):</source>
        <comment>37</comment>
        <translation>&amp;Largeur (colonnes) :</translation>
    </message>
    <message>
        <source>&amp;Height (rows):</source>
        <comment>38</comment>
        <translation>&amp;Hauteur (lignes) :</translation>
    </message>
    <message>
        <source>&amp;Mines:</source>
        <comment>39</comment>
        <translation>&amp;Mines :</translation>
    </message>
    <message>
        <source>From 1 to 32 columns, 1 to 24 rows, and fewer mines than cells.</source>
        <comment>40</comment>
        <translation>De 1 à 32 colonnes, de 1 à 24 lignes et moins de mines que de cases.</translation>
    </message>
    <message>
        <source>OK</source>
        <comment>41</comment>
        <translation>OK</translation>
    </message>
    <message>
        <source>Cancel</source>
        <comment>42</comment>
        <translation>Annuler</translation>
    </message>
    <message>
        <source>&amp;Replay this board</source>
        <comment>43</comment>
        <translation>&amp;Rejouer ce plateau</translation>
    </message>
    <message>
        <source>&amp;Pause</source>
        <comment>44</comment>
        <translation>&amp;Pause</translation>
    </message>
    <message>
        <source>Paused. Press P or click to go on.</source>
        <comment>45</comment>
        <translation>En pause. Appuyez sur P ou cliquez pour continuer.</translation>
    </message>
    <message>
        <source>Congratulations. You solved the game in less than a second.</source>
        <comment>46</comment>
        <translation>Félicitations. Vous avez résolu la partie en moins d'une seconde.</translation>
    </message>
    <message>
        <source>Pictures</source>
        <comment>47</comment>
        <translation>Images</translation>
    </message>
    <message>
        <source>All files</source>
        <comment>48</comment>
        <translation>Tous les fichiers</translation>
    </message>
    <message>
        <source>The statistics could not be written to %1.</source>
        <comment>49</comment>
        <translation>Les statistiques n'ont pas pu être écrites dans %1.</translation>
    </message>
    <message>
        <source>No-&amp;guess boards</source>
        <comment>50</comment>
        <translation>Grilles sans &amp;hasard</translation>
    </message>
    <message>
        <source>The help page %1 cannot be shown: no program to show web pages was found.</source>
        <comment>51</comment>
        <translation>La page d'aide %1 ne peut pas être affichée : aucun programme pour afficher les pages web n'a été trouvé.</translation>
    </message>
    <message>
        <source>The help file %1 is missing.</source>
        <comment>52</comment>
        <translation>Le fichier d'aide %1 est introuvable.</translation>
    </message>
    <message>
        <source>&amp;View</source>
        <comment>53</comment>
        <translation>&amp;Affichage</translation>
    </message>
    <message>
        <source>Zoom &amp;in</source>
        <comment>54</comment>
        <translation>Zoom &amp;avant</translation>
    </message>
    <message>
        <source>Zoom &amp;out</source>
        <comment>55</comment>
        <translation>Zoom a&amp;rrière</translation>
    </message>
    <message>
        <source>&amp;Actual size</source>
        <comment>56</comment>
        <translation>&amp;Taille réelle</translation>
    </message>
    <message>
        <source>&amp;Game</source>
        <comment>57</comment>
        <translation>&amp;Partie</translation>
    </message>
    <message>
        <source>&amp;New</source>
        <comment>58</comment>
        <translation>&amp;Nouvelle partie</translation>
    </message>
    <message>
        <source>&amp;Best times...</source>
        <comment>59</comment>
        <translation>&amp;Meilleurs temps...</translation>
    </message>
    <message>
        <source>E&amp;xit</source>
        <comment>60</comment>
        <translation>&amp;Quitter</translation>
    </message>
    <message>
        <source>&amp;Cells</source>
        <comment>61</comment>
        <translation>&amp;Cases</translation>
    </message>
    <message>
        <source>&amp;Square (classic)</source>
        <comment>62</comment>
        <translation>&amp;Carré (classique)</translation>
    </message>
    <message>
        <source>&amp;Diamond</source>
        <comment>63</comment>
        <translation>&amp;Losange</translation>
    </message>
    <message>
        <source>&amp;Brick</source>
        <comment>64</comment>
        <translation>&amp;Brique</translation>
    </message>
    <message>
        <source>&amp;Triangle</source>
        <comment>65</comment>
        <translation>&amp;Triangle</translation>
    </message>
    <message>
        <source>S&amp;hifted Triangle</source>
        <comment>66</comment>
        <translation>Triangle &amp;décalé</translation>
    </message>
    <message>
        <source>&amp;Hexagon</source>
        <comment>67</comment>
        <translation>&amp;Hexagone</translation>
    </message>
    <message>
        <source>&amp;Level</source>
        <comment>68</comment>
        <translation>&amp;Niveau</translation>
    </message>
    <message>
        <source>&amp;Beginner</source>
        <comment>69</comment>
        <translation>&amp;Débutant</translation>
    </message>
    <message>
        <source>&amp;Novice</source>
        <comment>70</comment>
        <translation>&amp;Novice</translation>
    </message>
    <message>
        <source>&amp;Intermediate</source>
        <comment>71</comment>
        <translation>&amp;Intermédiaire</translation>
    </message>
    <message>
        <source>&amp;Advanced</source>
        <comment>72</comment>
        <translation>&amp;Avancé</translation>
    </message>
    <message>
        <source>&amp;Expert</source>
        <comment>73</comment>
        <translation>&amp;Expert</translation>
    </message>
    <message>
        <source>&amp;Options</source>
        <comment>74</comment>
        <translation>&amp;Options</translation>
    </message>
    <message>
        <source>Set &amp;background color...</source>
        <comment>75</comment>
        <translation>&amp;Couleur de fond...</translation>
    </message>
    <message>
        <source>Use texture &amp;%1</source>
        <comment>76</comment>
        <translation>Utiliser la texture &amp;%1</translation>
    </message>
    <message>
        <source>&amp;Load texture...</source>
        <comment>77</comment>
        <translation>Charger une &amp;texture...</translation>
    </message>
    <message>
        <source>&amp;No texture</source>
        <comment>78</comment>
        <translation>Sa&amp;ns texture</translation>
    </message>
    <message>
        <source>&amp;Sound on</source>
        <comment>79</comment>
        <translation>&amp;Son activé</translation>
    </message>
    <message>
        <source>&amp;Help</source>
        <comment>80</comment>
        <translation>A&amp;ide</translation>
    </message>
    <message>
        <source>&amp;Help contents</source>
        <comment>81</comment>
        <translation>&amp;Sommaire de l'aide</translation>
    </message>
    <message>
        <source>&amp;Visit Minevaro home page</source>
        <comment>82</comment>
        <translation>&amp;Visiter la page de Minevaro</translation>
    </message>
    <message>
        <source>&amp;About...</source>
        <comment>83</comment>
        <translation>À &amp;propos...</translation>
    </message>
    <message>
        <source>New game</source>
        <comment>84</comment>
        <translation>Nouvelle partie</translation>
    </message>
    <message>
        <source>Exit</source>
        <comment>85</comment>
        <translation>Quitter</translation>
    </message>
    <message>
        <source>Time: </source>
        <comment>86</comment>
        <translation>Temps : </translation>
    </message>
    <message>
        <source>Congratulations. You solved the game in </source>
        <comment>87</comment>
        <translation>Félicitations. Vous avez résolu la partie en </translation>
    </message>
    <message>
        <source>%d hour </source>
        <comment>88</comment>
        <translation>%d heure </translation>
    </message>
    <message>
        <source>%d hours </source>
        <comment>89</comment>
        <translation>%d heures </translation>
    </message>
    <message>
        <source>%d minute </source>
        <comment>90</comment>
        <translation>%d minute </translation>
    </message>
    <message>
        <source>%d minutes </source>
        <comment>91</comment>
        <translation>%d minutes </translation>
    </message>
    <message>
        <source>%d second.</source>
        <comment>92</comment>
        <translation>%d seconde.</translation>
    </message>
    <message>
        <source>%d seconds.</source>
        <comment>93</comment>
        <translation>%d secondes.</translation>
    </message>
    <message>
        <source> You have the best time. Please enter your name:</source>
        <comment>94</comment>
        <translation> Vous avez le meilleur temps. Entrez votre nom :</translation>
    </message>
    <message>
        <source>Best Times - %1</source>
        <comment>95</comment>
        <translation>Meilleurs temps - %1</translation>
    </message>
    <message>
        <source>&amp;Reset Scores</source>
        <comment>96</comment>
        <translation>&amp;Réinitialiser les temps</translation>
    </message>
    <message>
        <source>The best times could not be written to %1.</source>
        <comment>97</comment>
        <translation>Les meilleurs temps n'ont pas pu être écrits dans %1.</translation>
    </message>
    <message>
        <source>Open File</source>
        <comment>98</comment>
        <translation>Ouvrir un fichier</translation>
    </message>
    <message>
        <source>Bitmap File</source>
        <comment>99</comment>
        <translation>Fichier bitmap</translation>
    </message>
    <message>
        <source>About Minevaro</source>
        <comment>100</comment>
        <translation>À propos de Minevaro</translation>
    </message>
    <message>
        <source>Minevaro for Windows (32 bit)</source>
        <comment>101</comment>
        <translation>Minevaro pour Windows (32 bits)</translation>
    </message>
    <message>
        <source>Version 3.0</source>
        <comment>102</comment>
        <translation>Version 3.0</translation>
    </message>
    <message>
        <source>Thank you</source>
        <comment>103</comment>
        <translation>Merci</translation>
    </message>
    <message>
        <source>L&amp;anguage</source>
        <comment>104</comment>
        <translation>&amp;Langue</translation>
    </message>
    <message>
        <source>Anonymous</source>
        <comment>105</comment>
        <translation>Anonyme</translation>
    </message>
    <message>
        <source>The settings and statistics could not be kept in %1: there is no room left on the disk. The file keeps what was saved before.</source>
        <comment>106</comment>
        <translation>Les réglages et les statistiques n'ont pas pu être enregistrés dans %1 : il n'y a plus de place sur le disque. Le fichier garde ce qui avait été enregistré auparavant.</translation>
    </message>
    <message>
        <source>The settings and statistics could not be kept in %1 (%2). The file keeps what was saved before.</source>
        <comment>107</comment>
        <translation>Les réglages et les statistiques n'ont pas pu être enregistrés dans %1 (%2). Le fichier garde ce qui avait été enregistré auparavant.</translation>
    </message>
</context>
</TS>
