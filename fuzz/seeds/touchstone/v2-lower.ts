4[Version] 2.0
# GHz Z RI R 50
[Number of Ports] 3
[Number of Frequencies] 2
[Reference] 50
 75 100
[Matrix Format] Lower
[Network Data]
1 60 0
 10 0 70 0
 5 0 6 0 80 0
2 60 1 10 1 70 1 5 1 6 1 80 1
