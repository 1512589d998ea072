TITLE    "Punch sample turret"
;----
*4.0             ;Ver

*4               ;stations
*0               ;auto index
*SAMPLE          ;form
*T-SAMPLE        ;name

;No, station, die, range, auto index, keys, X, Y, A/C, danger width, danger height, start code, end code
  1,  201,    1,B, 0,000000000000000000000000,   0.0,   0.0,0,   0.0,   0.0,,
  2,  305,    2,C, 0,000000000000000000000000,   0.0,   0.0,0,   0.0,   0.0,,
  3,  306,    3,C, 0,000000000000000000000000,   0.0,   0.0,0,   0.0,   0.0,,
  4,  310,    4,C, 0,000000000000000000000000,   0.0,   0.0,0,   0.0,   0.0,,
