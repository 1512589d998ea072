<?xml version="1.0" encoding="utf-8"?>
<!DOCTYPE TS>
<TS version="2.1" language="ja_JP">
    <context>
        <name>Template108</name>
        <message>
            <source>Parameter</source>
            <translation>パラメータ</translation>
        </message>
        <message>
            <source>Parameter</source>
            <comment>group</comment>
            <translation>変換パラメータ</translation>
        </message>
        <message>
            <source>Coordinates</source>
            <translation>NC座標系</translation>
        </message>
        <message>
            <source>Code for Circle/Arc</source>
            <translation>円弧のIJ値</translation>
        </message>
        <message>
            <source>Program No</source>
            <translation>ﾌﾟﾛｸﾞﾗﾑ番号</translation>
        </message>
        <message>
            <source>Main</source>
            <translation>ﾒｲﾝ</translation>
        </message>
        <message>
            <source>Sub</source>
            <translation>ｻﾌﾞ</translation>
        </message>
        <message>
            <source>Call</source>
            <translation>呼出</translation>
        </message>
        <message>
            <source>Sequence</source>
            <translation>ｼｰｹﾝｽ呼出</translation>
        </message>
        <message>
            <source>Kerf</source>
            <translation>径補正</translation>
        </message>
        <message>
            <source>Sub Prog</source>
            <translation>サブプロ</translation>
        </message>
        <message>
            <source>Return</source>
            <translation>復帰</translation>
        </message>
        <message>
            <source>Marking On</source>
            <translation>マーキングＯＮ</translation>
        </message>
        <message>
            <source>Cutting On</source>
            <translation>切断ON</translation>
        </message>
        <message>
            <source>Conversion Unit in an Integer</source>
            <translation>整数時の変換単位</translation>
        </message>
        <message>
            <source>NC Type</source>
            <translation>NCタイプ</translation>
        </message>
        <message>
            <source>Auto</source>
            <translation>自動</translation>
        </message>
        <message>
            <source>Laser</source>
            <translation>レーザ</translation>
        </message>
        <message>
            <source>Punch</source>
            <translation>タレパン</translation>
        </message>
        <message>
            <source>Csv</source>
            <translation>点列</translation>
        </message>
        <message>
            <source>head type (Selvane only)</source>
            <translation>5軸ヘッドタイプ (セルベーンのみ)</translation>
        </message>
        <message>
            <source>swing head</source>
            <translation>スウィングヘッド</translation>
        </message>
        <message>
            <source>one-point directional head</source>
            <translation>1点指向ヘッド</translation>
        </message>
        <message>
            <source>Punch NC Type</source>
            <translation>タレパンNCタイプ</translation>
        </message>
        <message>
            <source>Amada/Selvane</source>
            <translation>アマダ・セルベーン系</translation>
        </message>
        <message>
            <source>Murata</source>
            <translation>村田系</translation>
        </message>
        <message>
            <source>Nisshinbo</source>
            <translation>日清紡</translation>
        </message>
        <message>
            <source>Get Sub Program</source>
            <translation>サブプログラム抽出</translation>
        </message>
        <message>
            <source>Starting Code</source>
            <translation>先頭コード</translation>
        </message>
        <message>
            <source>Ending Code</source>
            <translation>終了コード</translation>
        </message>
    </context>
    <context>
        <name>Template109</name>
        <message>
            <source>Coordinates</source>
            <translation>座標系</translation>
        </message>
        <message>
            <source>XYZ Initial</source>
            <translation>XYZ初期値</translation>
        </message>
        <message>
            <source>Size</source>
            <translation>加工範囲</translation>
        </message>
        <message>
            <source>Min</source>
            <translation>最小値</translation>
        </message>
        <message>
            <source>Max</source>
            <translation>最大値</translation>
        </message>
        <message>
            <source>Frame</source>
            <translation>フレーム</translation>
        </message>
        <message>
            <source>Clamper Size</source>
            <translation>クランプサイズ</translation>
        </message>
        <message>
            <source>Clamper First Position</source>
            <translation>クランプ初期位置</translation>
        </message>
        <message>
            <source>Number of Holder</source>
            <translation>ワークホルダー個数</translation>
        </message>
        <message>
            <source>Workholder Size</source>
            <translation>ワークホルダーサイズ</translation>
        </message>
        <message>
            <source>Workholder Position X</source>
            <translation>ワークホルダー位置X</translation>
        </message>
        <message>
            <source>Workholder Position Y</source>
            <translation>ワークホルダー位置Y</translation>
        </message>
    </context>
    <context>
        <name>Template110</name>
        <message>
            <source>Color</source>
            <translation>カラー</translation>
        </message>
        <message>
            <source>Color</source>
            <comment>group</comment>
            <translation>変換カラー</translation>
        </message>
        <message>
            <source>Rapid Traverse</source>
            <translation>早送り</translation>
        </message>
        <message>
            <source>Marking</source>
            <translation>マーキング</translation>
        </message>
        <message>
            <source>Cutting</source>
            <translation>切断</translation>
        </message>
        <message>
            <source>Punch</source>
            <translation>金型</translation>
        </message>
    </context>
    <context>
        <name>Template111</name>
        <message>
            <source>Replace</source>
            <translation>置換</translation>
        </message>
        <message>
            <source>Replace</source>
            <comment>group</comment>
            <translation>置換</translation>
        </message>
        <message>
            <source>Append</source>
            <translation>追加</translation>
        </message>
        <message>
            <source>Update</source>
            <translation>変更</translation>
        </message>
        <message>
            <source>Delete</source>
            <translation>削除</translation>
        </message>
        <message>
            <source>Up</source>
            <translation>↑</translation>
        </message>
        <message>
            <source>Down</source>
            <translation>↓</translation>
        </message>
    </context>
    <context>
        <name>Template154</name>
        <message>
            <source>Replace</source>
            <translation>置換文字列</translation>
        </message>
        <message>
            <source>Find what:</source>
            <translation>置換前：</translation>
        </message>
        <message>
            <source>Replace with:</source>
            <translation>置換後：</translation>
        </message>
        <message>
            <source>Browse...</source>
            <translation>参照</translation>
        </message>
        <message>
            <source>Cancel</source>
            <translation>ｷｬﾝｾﾙ</translation>
        </message>
    </context>
    <context>
        <name>Template9915</name>
        <message>
            <source>Fixed phrase</source>
            <translation>定型文</translation>
        </message>
        <message>
            <source>Setting</source>
            <translation>定型文挿入</translation>
        </message>
        <message>
            <source>Comment 1</source>
            <translation>定型文1   コメント</translation>
        </message>
        <message>
            <source>Phrase 1</source>
            <translation>挿入文</translation>
        </message>
        <message>
            <source>Comment 2</source>
            <translation>定型文2   コメント</translation>
        </message>
        <message>
            <source>Phrase 2</source>
            <translation>挿入文</translation>
        </message>
        <message>
            <source>Comment 3</source>
            <translation>定型文3   コメント</translation>
        </message>
        <message>
            <source>Phrase 3</source>
            <translation>挿入文</translation>
        </message>
        <message>
            <source>Comment 4</source>
            <translation>定型文4   コメント</translation>
        </message>
        <message>
            <source>Phrase 4</source>
            <translation>挿入文</translation>
        </message>
        <message>
            <source>Comment 5</source>
            <translation>定型文5   コメント</translation>
        </message>
        <message>
            <source>Phrase 5</source>
            <translation>挿入文</translation>
        </message>
        <message>
            <source>Comment 6</source>
            <translation>定型文6   コメント</translation>
        </message>
        <message>
            <source>Phrase 6</source>
            <translation>挿入文</translation>
        </message>
        <message>
            <source>Comment 7</source>
            <translation>定型文7   コメント</translation>
        </message>
        <message>
            <source>Phrase 7</source>
            <translation>挿入文</translation>
        </message>
        <message>
            <source>Comment 8</source>
            <translation>定型文8   コメント</translation>
        </message>
        <message>
            <source>Phrase 8</source>
            <translation>挿入文</translation>
        </message>
    </context>
</TS>
