TITLE    "金型配置ファイル"
;----
*4.0
*three
*0
*F
*N
