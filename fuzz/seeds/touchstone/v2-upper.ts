4[Version] 2.0
# GHz S RI R 50
[Number of Ports] 3
[Number of Frequencies] 2
[Matrix Format] Upper
[Network Data]
1 .11 0 .12 0 .13 0
 .22 0 .23 0
 .33 0
2 .11 0 .12 0 .13 0 .22 0 .23 0 .33 0
[End]
