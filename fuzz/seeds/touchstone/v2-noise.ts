4[Version] 2.1
[Begin Information]
[Manufacturer] none
[End Information]
# GHz S MA R 50
[Number of Ports] 2
[Two-Port Data Order] 12_21
[Number of Frequencies] 2
[Number of Noise Frequencies] 2
[Reference] 50 60
[Network Data]
1 .5 10 .01 30 .9 -20 .4 40
2 .5 11 .01 31 .9 -21 .4 41
[Noise Data]
1 1.2 .3 45 20
2 1.4 .4 55 25
[End]
