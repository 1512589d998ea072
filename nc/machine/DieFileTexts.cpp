// Fixed texts of the die files as CP932 bytes; each line is shown in a comment above it.
#include "nc/machine/DieFileTexts.h"

namespace diefile {

const std::string_view kPossessedHeader =
    // TITLE    "保有金型ファイル"
    "TITLE    \"\x95\xdb\x97L\x8b\xe0\x8c^\x83t\x83@\x83"
    "C\x83\x8b\"\r\n"
    // ;----------------------------------------------------------------------+
    ";----------------------------------------------------------------------+\r\n"
    // ; Ｐｕｎｃｈ Ｍｏｄｕｌｅ    保有金型ファイル  Ver4.00                 |
    "; \x82o\x82\x95\x82\x8e\x82\x83\x82\x88 \x82l\x82\x8f\x82\x84\x82\x95\x82\x8c\x82\x85    "
    "\x95\xdb\x97L\x8b\xe0\x8c^\x83t\x83@\x83"
    "C\x83\x8b  Ver4.00                 |\r\n"
    // ;----------------------------------------------------------------------+
    ";----------------------------------------------------------------------+\r\n"
    // *4.0     ;Ver
    "*4.0     ;Ver\r\n"
    "\r\n"
    "\r\n"
    // ;番号,ﾚﾝｼﾞ,形状, X,       Y,       R,      Ang,    用途, ｴｱｰ,回転,ｸﾗﾝﾌﾟ, ﾌｧｲﾙ名,
    // 修飾開始,修飾終了
    ";\x94\xd4\x8d\x86,\xda\xdd\xbc\xde,\x8c`\x8f\xf3, X,       Y,       R,      Ang,    "
    "\x97p\x93r, \xb4\xb1\xb0,\x89\xf1\x93],\xb8\xd7\xdd\xcc\xdf, \xcc\xa7\xb2\xd9\x96\xbc,  \x8f"
    "C\x8f\xfc\x8aJ\x8en,\x8f"
    "C\x8f\xfc\x8fI\x97\xb9\r\n"
    // ;---  -   --   ---.--   ---.--   ---.--   ---.--  ------  -  -  -    -----256---- --128--
    // --128--
    ";---  -   --   ---.--   ---.--   ---.--   ---.--  ------  -  -  -    -----256---- --128--  "
    "--128--\r\n";

const std::string_view kPossessedFooter =
    // ;---  -   --   ---.--   ---.--   ---.--   ---.--  ------  -  -  -    -----256---- --128--
    // --128--
    ";---  -   --   ---.--   ---.--   ---.--   ---.--  ------  -  -  -    -----256---- --128--  "
    "--128--\r\n"
    // ;番号,ﾚﾝｼﾞ,形状, X,       Y,       R,      Ang,    用途, ｴｱｰ,回転,ｸﾗﾝﾌﾟ, ﾌｧｲﾙ名,
    // 修飾開始,修飾終了
    ";\x94\xd4\x8d\x86,\xda\xdd\xbc\xde,\x8c`\x8f\xf3, X,       Y,       R,      Ang,    "
    "\x97p\x93r, \xb4\xb1\xb0,\x89\xf1\x93],\xb8\xd7\xdd\xcc\xdf, \xcc\xa7\xb2\xd9\x96\xbc,  \x8f"
    "C\x8f\xfc\x8aJ\x8en,\x8f"
    "C\x8f\xfc\x8fI\x97\xb9\r\n"
    "\r\n"
    // ; 形状 1:丸 2:角 3:長角 4:長丸 5:ｾﾝﾀﾎﾟﾝﾁ 6:ﾀﾞﾌﾞﾙD 7:ｼﾝｸﾞﾙD 8:ﾊﾞｰﾘﾝｸﾞ
    "; \x8c`\x8f\xf3 1:\x8a\xdb 2:\x8ap 3:\x92\xb7\x8ap 4:\x92\xb7\x8a\xdb "
    "5:\xbe\xdd\xc0\xce\xdf\xdd\xc1 6:\xc0\xde\xcc\xde\xd9"
    "D 7:\xbc\xdd\xb8\xde\xd9"
    "D 8:\xca\xde\xb0\xd8\xdd\xb8\xde\r\n"
    // ;      9:R付角 10:特型 11:ﾀｯﾋﾟﾝｸﾞ 12:成型 13:刻印 14:ｺｰﾅｰﾗｼﾞｱｽ
    ";      9:R\x95t\x8ap 10:\x93\xc1\x8c^ 11:\xc0\xaf\xcb\xdf\xdd\xb8\xde 12:\x90\xac\x8c^ "
    "13:\x8d\x8f\x88\xf3 14:\xba\xb0\xc5\xb0\xd7\xbc\xde\xb1\xbd\r\n"
    // ; 用途 左から 1:外形切断用  2:ﾆﾌﾞﾘﾝｸﾞ用(丸のみ)  3:成型突起用
    "; \x97p\x93r \x8d\xb6\x82\xa9\x82\xe7 1:\x8aO\x8c`\x90\xd8\x92"
    "f\x97p  2:\xc6\xcc\xde\xd8\xdd\xb8\xde\x97p(\x8a\xdb\x82\xcc\x82\xdd)  "
    "3:\x90\xac\x8c^\x93\xcb\x8bN\x97p\r\n"
    // ;             4:ﾋﾟｱｽﾊﾟﾝﾁ用  5:ｺｰﾅｰ加工用         6:穴抜きつぶし用
    ";             4:\xcb\xdf\xb1\xbd\xca\xdf\xdd\xc1\x97p  5:\xba\xb0\xc5\xb0\x89\xc1\x8dH\x97p   "
    "      6:\x8c\x8a\x94\xb2\x82\xab\x82\xc2\x82\xd4\x82\xb5\x97p\r\n"
    // ; ﾚﾝｼﾞ A:1/2"(1.6～12.7)    B(G):1 1/4"(12.8～31.7) C(H):2"(31.8～50.8)
    "; \xda\xdd\xbc\xde A:1/2\"(1.6\x81`12.7)    B(G):1 1/4\"(12.8\x81`31.7) "
    "C(H):2\"(31.8\x81`50.8)\r\n"
    // ;      D:3 1/2"(50.9～88.9) E:4 1/2"(89.0～114.3)
    ";      D:3 1/2\"(50.9\x81`88.9) E:4 1/2\"(89.0\x81`114.3)\r\n"
    // ;
    ";\r\n"
    // ; 最大 2000 本まで
    "; \x8d\xc5\x91\xe5 2000 \x96{\x82\xdc\x82\xc5\r\n";

const std::string_view kArrangementHeader =
    // TITLE    "金型配置ファイル"
    "TITLE    \"\x8b\xe0\x8c^\x94z\x92u\x83t\x83@\x83"
    "C\x83\x8b\"\r\n"
    // ;----------------------------------------------------------------------+
    ";----------------------------------------------------------------------+\r\n"
    // ; Ｐｕｎｃｈ Ｍｏｄｕｌｅ    金型配置ファイル  Ver4.00                 |
    "; \x82o\x82\x95\x82\x8e\x82\x83\x82\x88 \x82l\x82\x8f\x82\x84\x82\x95\x82\x8c\x82\x85    "
    "\x8b\xe0\x8c^\x94z\x92u\x83t\x83@\x83"
    "C\x83\x8b  Ver4.00                 |\r\n"
    // ;----------------------------------------------------------------------+
    ";----------------------------------------------------------------------+\r\n"
    // *4.0             ;Ver
    "*4.0             ;Ver\r\n"
    "\r\n";

const std::string_view kStationCountTail =
    //               ;ｽﾃｰｼｮﾝ数
    "              ;\xbd\xc3\xb0\xbc\xae\xdd\x90\x94\r\n";

const std::string_view kAutoIndexCountTail =
    //               ;ｵｰﾄｲﾝﾃﾞｯｸｽ ｽﾃｰｼｮﾝ数
    "              ;\xb5\xb0\xc4\xb2\xdd\xc3\xde\xaf\xb8\xbd \xbd\xc3\xb0\xbc\xae\xdd\x90\x94\r\n";

const std::string_view kFormFileTail =
    //  ;ﾀﾚｯﾄﾌｫｰﾑﾌｧｲﾙ(参照用)
    " ;\xc0\xda\xaf\xc4\xcc\xab\xb0\xd1\xcc\xa7\xb2\xd9(\x8eQ\x8f\xc6\x97p)\r\n";

const std::string_view kTurretNameTail =
    //  ;ﾀﾚｯﾄ名称
    " ;\xc0\xda\xaf\xc4\x96\xbc\x8f\xcc\r\n";

const std::string_view kStationColumns =
    "\r\n"
    // ;NO , SNO,TNO,ﾚﾝｼﾞ,AI,      キー情報         ,位置X,
    // 位置Y,AC,危険幅,危険高さ,修飾開始,修飾終了
    ";NO , SNO,TNO,\xda\xdd\xbc\xde,AI,      \x83L\x81[\x8f\xee\x95\xf1         ,\x88\xca\x92uX, "
    "\x88\xca\x92uY,AC,\x8a\xeb\x8c\xaf\x95\x9d,\x8a\xeb\x8c\xaf\x8d\x82\x82\xb3,\x8f"
    "C\x8f\xfc\x8aJ\x8en,\x8f"
    "C\x8f\xfc\x8fI\x97\xb9\r\n"
    // ;---, --- ---- -   - ------------------------ ----.- ----.- - ----.- ----.-   --128-- --128--
    ";---, --- ---- -   - ------------------------ ----.- ----.- - ----.- ----.-   --128--  "
    "--128--\r\n"
    "\r\n";

const std::string_view kArrangementFooter =
    "\r\n"
    // ;↑ NO は連番になっていなくても適当でもかまいません
    ";\x81\xaa NO \x82\xcd\x98"
    "A\x94\xd4\x82\xc9\x82\xc8\x82\xc1\x82\xc4\x82\xa2\x82\xc8\x82\xad\x82\xc4\x82\xe0\x93K\x93\x96"
    "\x82\xc5\x82\xe0\x82\xa9\x82\xdc\x82\xa2\x82\xdc\x82\xb9\x82\xf1\r\n"
    // ;この行にエラーが出る場合は、7行目の本数と記述してある本数が違います
    ";\x82\xb1\x82\xcc\x8ds\x82\xc9\x83G\x83\x89\x81["
    "\x82\xaa\x8fo\x82\xe9\x8f\xea\x8d\x87\x82\xcd\x81"
    "A7\x8ds\x96\xda\x82\xcc\x96{\x90\x94\x82\xc6\x8bL\x8fq\x82\xb5\x82\xc4\x82\xa0\x82\xe9\x96{"
    "\x90\x94\x82\xaa\x88\xe1\x82\xa2\x82\xdc\x82\xb7\r\n";

}  // namespace diefile
