<?xml version="1.0" encoding="utf-8"?>
<!DOCTYPE TS>
<TS version="2.1" language="ja_JP">
    <context>
        <name>Template104</name>
        <message>
            <source>Register List</source>
            <translation>情報ビュー</translation>
        </message>
        <message>
            <source>Color/Font</source>
            <translation>カラー/フォント</translation>
        </message>
        <message>
            <source>All Text</source>
            <translation>テキストカラー</translation>
        </message>
        <message>
            <source>Font Attribute</source>
            <translation>テキストフォント</translation>
        </message>
    </context>
    <context>
        <name>Template105</name>
        <message>
            <source>NC List</source>
            <translation>NCビュー</translation>
        </message>
        <message>
            <source>Color/Font</source>
            <translation>カラー/フォント</translation>
        </message>
        <message>
            <source>All Text</source>
            <translation>テキストカラー</translation>
        </message>
        <message>
            <source>Program No</source>
            <translation>プログラム番号</translation>
        </message>
        <message>
            <source>Call Line</source>
            <translation>サブ呼び出し</translation>
        </message>
        <message>
            <source>Note Line</source>
            <translation>コメント</translation>
        </message>
        <message>
            <source>Font Attribute</source>
            <translation>テキストフォント</translation>
        </message>
    </context>
    <context>
        <name>Template106</name>
        <message>
            <source>ToolPath</source>
            <translation>要素ビュー</translation>
        </message>
        <message>
            <source>Color</source>
            <translation>カラー</translation>
        </message>
        <message>
            <source>Back Ground</source>
            <translation>バックグラウンド色</translation>
        </message>
        <message>
            <source>Grid Line</source>
            <translation>グリッド色</translation>
        </message>
        <message>
            <source>Navigation</source>
            <translation>認識色</translation>
        </message>
        <message>
            <source>Original</source>
            <translation>トレース時元要素表示色</translation>
        </message>
        <message>
            <source>Trace</source>
            <translation>トレース要素色</translation>
        </message>
        <message>
            <source>Tool Image</source>
            <translation>工具表示色</translation>
        </message>
        <message>
            <source>Direction Arrow</source>
            <translation>矢印表示色</translation>
        </message>
        <message>
            <source>Size</source>
            <translation>サイズ</translation>
        </message>
        <message>
            <source>Work Rectangle</source>
            <translation>加工範囲色</translation>
        </message>
        <message>
            <source>Dangerous Area</source>
            <translation>危険領域色</translation>
        </message>
        <message>
            <source>AC axis</source>
            <translation>AC軸色</translation>
        </message>
        <message>
            <source>Length</source>
            <translation>長さ</translation>
        </message>
        <message>
            <source>Option</source>
            <translation>オプション</translation>
        </message>
        <message>
            <source>Scroll Direction</source>
            <translation>移動方向</translation>
        </message>
        <message>
            <source>Normal</source>
            <translation>通常</translation>
        </message>
        <message>
            <source>Converse</source>
            <translation>反対</translation>
        </message>
    </context>
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
        <name>Template112</name>
        <message>
            <source>Punch Tool</source>
            <translation>金型</translation>
        </message>
        <message>
            <source>Punch tool</source>
            <comment>group</comment>
            <translation>金型</translation>
        </message>
        <message>
            <source>Punch tool file</source>
            <translation>保有金型ファイル</translation>
        </message>
        <message>
            <source>Ref</source>
            <translation>参照</translation>
        </message>
        <message>
            <source>Punch arrangement file</source>
            <translation>金型配置ファイル</translation>
        </message>
        <message>
            <source>Property of punch tool</source>
            <translation>保有金型設定</translation>
        </message>
        <message>
            <source>Property of punch arrangement</source>
            <translation>金型配置設定</translation>
        </message>
    </context>
    <context>
        <name>Template148</name>
        <message>
            <source>Property of condition</source>
            <translation>加工条件設定</translation>
        </message>
        <message>
            <source>Addition(&amp;A)</source>
            <translation>追加(&amp;A)</translation>
        </message>
        <message>
            <source>Edit(&amp;E)</source>
            <translation>編集(&amp;E)</translation>
        </message>
        <message>
            <source>Delete(&amp;D)</source>
            <translation>削除(&amp;D)</translation>
        </message>
        <message>
            <source>Display the color of cutting condition number</source>
            <translation>加工条件番号の色で描画する</translation>
        </message>
        <message>
            <source>Character of cutting condition 1</source>
            <translation>加工条件文字 1</translation>
        </message>
        <message>
            <source>Cancel</source>
            <translation>ｷｬﾝｾﾙ</translation>
        </message>
    </context>
    <context>
        <name>Template149</name>
        <message>
            <source>Edit Condition</source>
            <translation>条件編集</translation>
        </message>
        <message>
            <source>Color</source>
            <translation>色</translation>
        </message>
        <message>
            <source>Condition No</source>
            <translation>条件番号</translation>
        </message>
        <message>
            <source>Height</source>
            <translation>工具高さ</translation>
        </message>
        <message>
            <source>Diameter</source>
            <translation>工具直径</translation>
        </message>
        <message>
            <source>Name</source>
            <translation>名前</translation>
        </message>
        <message>
            <source>Cancel</source>
            <translation>ｷｬﾝｾﾙ</translation>
        </message>
    </context>
    <context>
        <name>Template1537</name>
        <message>
            <source>Punch select</source>
            <translation>金型選択</translation>
        </message>
        <message>
            <source>Shape</source>
            <translation>形状</translation>
        </message>
        <message>
            <source>Range</source>
            <translation>レンジ</translation>
        </message>
        <message>
            <source>All</source>
            <translation>全</translation>
        </message>
        <message>
            <source>Punch file</source>
            <translation>保有金型ファイル</translation>
        </message>
        <message>
            <source>Arrangement file</source>
            <translation>金型配置ファイル</translation>
        </message>
        <message>
            <source>Change(&amp;U)</source>
            <translation>変更(&amp;U)</translation>
        </message>
        <message>
            <source>Add(&amp;A)</source>
            <translation>追加(&amp;A)</translation>
        </message>
        <message>
            <source>Delete(&amp;D)</source>
            <translation>削除(&amp;D)</translation>
        </message>
        <message>
            <source>Cancel</source>
            <translation>キャンセル</translation>
        </message>
    </context>
    <context>
        <name>Template1538</name>
        <message>
            <source>Add punch</source>
            <translation>金型追加</translation>
        </message>
        <message>
            <source>Punch No.</source>
            <translation>工具番号</translation>
        </message>
        <message>
            <source>Shape</source>
            <translation>形状</translation>
        </message>
        <message>
            <source>Range</source>
            <translation>レンジ</translation>
        </message>
        <message>
            <source>Y</source>
            <translation>Ｙ</translation>
        </message>
        <message>
            <source>Up</source>
            <translation>上向き</translation>
        </message>
        <message>
            <source>Down</source>
            <translation>下向き</translation>
        </message>
        <message>
            <source>R</source>
            <translation>Ｒ</translation>
        </message>
        <message>
            <source>Endless burring</source>
            <translation>エンドレスバーリング</translation>
        </message>
        <message>
            <source>Angle</source>
            <translation>角度</translation>
        </message>
        <message>
            <source>Rotation</source>
            <translation>回転</translation>
        </message>
        <message>
            <source>Shape file name</source>
            <translation>形状ファイル名称</translation>
        </message>
        <message>
            <source>Browse</source>
            <translation>参照</translation>
        </message>
        <message>
            <source>Usage</source>
            <translation>用途</translation>
        </message>
        <message>
            <source>Outline cutting</source>
            <translation>外形切断</translation>
        </message>
        <message>
            <source>Nibbling</source>
            <translation>ニブリング</translation>
        </message>
        <message>
            <source>Forming projection</source>
            <translation>成型突起</translation>
        </message>
        <message>
            <source>Pierce punch</source>
            <translation>ピアスパンチ</translation>
        </message>
        <message>
            <source>Corner working</source>
            <translation>コーナー加工</translation>
        </message>
        <message>
            <source>Hole punching and flattening</source>
            <translation>穴抜きつぶし</translation>
        </message>
        <message>
            <source>Turn the air on</source>
            <translation>エアーをＯＮにする</translation>
        </message>
        <message>
            <source>No interference calculation with the clamps</source>
            <translation>クランプとの干渉計算を行わない</translation>
        </message>
        <message>
            <source>Start code</source>
            <translation>修飾開始</translation>
        </message>
        <message>
            <source>End code</source>
            <translation>修飾終了</translation>
        </message>
        <message>
            <source>Cancel</source>
            <translation>キャンセル</translation>
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
        <name>Template1546</name>
        <message>
            <source>Change punch</source>
            <translation>金型変更</translation>
        </message>
        <message>
            <source>Punch No.</source>
            <translation>工具番号</translation>
        </message>
        <message>
            <source>Shape</source>
            <translation>形状</translation>
        </message>
        <message>
            <source>Range</source>
            <translation>レンジ</translation>
        </message>
        <message>
            <source>Y</source>
            <translation>Ｙ</translation>
        </message>
        <message>
            <source>Up</source>
            <translation>上向き</translation>
        </message>
        <message>
            <source>Down</source>
            <translation>下向き</translation>
        </message>
        <message>
            <source>R</source>
            <translation>Ｒ</translation>
        </message>
        <message>
            <source>Endless burring</source>
            <translation>エンドレスバーリング</translation>
        </message>
        <message>
            <source>Angle</source>
            <translation>角度</translation>
        </message>
        <message>
            <source>Rotation</source>
            <translation>回転</translation>
        </message>
        <message>
            <source>Shape file name</source>
            <translation>形状ファイル名称</translation>
        </message>
        <message>
            <source>Browse</source>
            <translation>参照</translation>
        </message>
        <message>
            <source>Usage</source>
            <translation>用途</translation>
        </message>
        <message>
            <source>Outline cutting</source>
            <translation>外形切断</translation>
        </message>
        <message>
            <source>Nibbling</source>
            <translation>ニブリング</translation>
        </message>
        <message>
            <source>Forming projection</source>
            <translation>成型突起</translation>
        </message>
        <message>
            <source>Pierce punch</source>
            <translation>ピアスパンチ</translation>
        </message>
        <message>
            <source>Corner working</source>
            <translation>コーナー加工</translation>
        </message>
        <message>
            <source>Hole punching and flattening</source>
            <translation>穴抜きつぶし</translation>
        </message>
        <message>
            <source>Turn the air on</source>
            <translation>エアーをＯＮにする</translation>
        </message>
        <message>
            <source>No interference calculation with the clamps</source>
            <translation>クランプとの干渉計算を行わない</translation>
        </message>
        <message>
            <source>Start code</source>
            <translation>修飾開始</translation>
        </message>
        <message>
            <source>End code</source>
            <translation>修飾終了</translation>
        </message>
        <message>
            <source>Cancel</source>
            <translation>キャンセル</translation>
        </message>
    </context>
    <context>
        <name>Template1551</name>
        <message>
            <source>Punch arrangement</source>
            <translation>金型配置設定</translation>
        </message>
        <message>
            <source>Stations</source>
            <translation>ステーション数</translation>
        </message>
        <message>
            <source>Turret name</source>
            <translation>タレット名</translation>
        </message>
        <message>
            <source>Stations</source>
            <comment>group</comment>
            <translation>ステーション</translation>
        </message>
        <message>
            <source>AC only</source>
            <translation>ACのみ</translation>
        </message>
        <message>
            <source>Change</source>
            <translation>変更</translation>
        </message>
        <message>
            <source>Auto</source>
            <translation>自動</translation>
        </message>
        <message>
            <source>Possessed punches</source>
            <translation>保有金型</translation>
        </message>
        <message>
            <source>Arrangement file</source>
            <translation>金型配置ファイル</translation>
        </message>
        <message>
            <source>Browse</source>
            <translation>参照</translation>
        </message>
        <message>
            <source>Cancel</source>
            <translation>キャンセル</translation>
        </message>
    </context>
    <context>
        <name>Template1552</name>
        <message>
            <source>Edit station</source>
            <translation>金型変更</translation>
        </message>
        <message>
            <source>Station No.</source>
            <translation>ステーション番号</translation>
        </message>
        <message>
            <source>Punch No.</source>
            <translation>金型管理番号</translation>
        </message>
        <message>
            <source>Range</source>
            <translation>レンジ</translation>
        </message>
        <message>
            <source>Position X</source>
            <translation>位置Ｘ</translation>
        </message>
        <message>
            <source>Position Y</source>
            <translation>位置Ｙ</translation>
        </message>
        <message>
            <source>Danger zone width</source>
            <translation>危険領域幅</translation>
        </message>
        <message>
            <source>Danger zone height</source>
            <translation>危険領域高さ</translation>
        </message>
        <message>
            <source>Auto index</source>
            <translation>オートインデックス機能あり</translation>
        </message>
        <message>
            <source>Allow automatic change</source>
            <translation>自動交換を許可する</translation>
        </message>
        <message>
            <source>Start code</source>
            <translation>修飾開始</translation>
        </message>
        <message>
            <source>End code</source>
            <translation>修飾終了</translation>
        </message>
        <message>
            <source>Cancel</source>
            <translation>キャンセル</translation>
        </message>
    </context>
    <context>
        <name>Template169</name>
        <message>
            <source>Output dxf</source>
            <translation>DXF出力</translation>
        </message>
        <message>
            <source>Output cutting line</source>
            <translation>切断線を出力する</translation>
        </message>
        <message>
            <source>PenNo.</source>
            <translation>ペンNo</translation>
        </message>
        <message>
            <source>Style</source>
            <translation>線種</translation>
        </message>
        <message>
            <source>Layer</source>
            <translation>レイヤ</translation>
        </message>
        <message>
            <source>Output marking line</source>
            <translation>マーキング線を出力する</translation>
        </message>
        <message>
            <source>Output rapid traverse line</source>
            <translation>早送り線を出力する</translation>
        </message>
        <message>
            <source>Process for approach/joint element</source>
            <translation>アプローチ･ジョイント部 削除処理を行う</translation>
        </message>
        <message>
            <source>Delete</source>
            <translation>削除する</translation>
        </message>
        <message>
            <source>Change the pen number</source>
            <translation>色を変更する</translation>
        </message>
        <message>
            <source>Joint distance</source>
            <translation>ジョイント距離</translation>
        </message>
        <message>
            <source>Approach distance</source>
            <translation>アプローチ認識長</translation>
        </message>
        <message>
            <source>Approach</source>
            <translation>アプローチ</translation>
        </message>
        <message>
            <source>Joint</source>
            <translation>ジョイント</translation>
        </message>
        <message>
            <source>Other</source>
            <translation>その他</translation>
        </message>
        <message>
            <source>Start CAD program when DXF is output</source>
            <translation>出力時、CADプログラムを起動する</translation>
        </message>
        <message>
            <source>CAD program name</source>
            <translation>CADプログラム名称</translation>
        </message>
        <message>
            <source>Ref</source>
            <translation>参照</translation>
        </message>
        <message>
            <source>Starting option</source>
            <translation>起動オプション</translation>
        </message>
        <message>
            <source>DXF file name</source>
            <translation>DXFファイル名称</translation>
        </message>
        <message>
            <source>Specify file name when DXF is output</source>
            <translation>出力時、指定する</translation>
        </message>
        <message>
            <source>Fix</source>
            <translation>指定しない</translation>
        </message>
    </context>
    <context>
        <name>Template176</name>
        <message>
            <source>Property of conversion - List</source>
            <translation>変換設定-一覧</translation>
        </message>
        <message>
            <source>If "(CTB=Name)" is written in NC data, NC data is converted when file is opened.</source>
            <translation>NCデータに "(CTB=名称)" が記述されている場合、ファイルを開く時にNCデータを変換します。</translation>
        </message>
        <message>
            <source>Execute</source>
            <translation>実行</translation>
        </message>
        <message>
            <source>Close</source>
            <translation>閉じる</translation>
        </message>
    </context>
    <context>
        <name>Template177</name>
        <message>
            <source>Property of conversion - Edit data</source>
            <translation>変換設定-データ編集</translation>
        </message>
        <message>
            <source>Display the message of comfirmation when conversion process is executed when file is opened</source>
            <translation>ファイルを開く時に変換処理が行われた場合、確認メッセージを表示する</translation>
        </message>
        <message>
            <source>Delete the line of "CTB=" when file is opened</source>
            <translation>ファイルを開く時に "CTB=" の行を削除する</translation>
        </message>
        <message>
            <source>Cancel</source>
            <translation>キャンセル</translation>
        </message>
    </context>
    <context>
        <name>Template178</name>
        <message>
            <source>Property of conversion - New</source>
            <translation>変換設定-新規作成</translation>
        </message>
        <message>
            <source>Name:</source>
            <translation>名称：</translation>
        </message>
        <message>
            <source>Comment:</source>
            <translation>コメント：</translation>
        </message>
        <message>
            <source>Cancel</source>
            <translation>キャンセル</translation>
        </message>
    </context>
    <context>
        <name>Template179</name>
        <message>
            <source>Replace</source>
            <translation>置換</translation>
        </message>
        <message>
            <source>Find what:</source>
            <translation>変換前：</translation>
        </message>
        <message>
            <source>Convert with:</source>
            <translation>変換後：</translation>
        </message>
        <message>
            <source>':'(colon) means line feed</source>
            <translation>':'(コロン)は改行を意味します</translation>
        </message>
        <message>
            <source>Starting Line:</source>
            <translation>変換開始行：</translation>
        </message>
        <message>
            <source>Ending Line:</source>
            <translation>変換終了行：</translation>
        </message>
        <message>
            <source>( From the final line )</source>
            <translation>( 最終行から )</translation>
        </message>
        <message>
            <source>Cancel</source>
            <translation>キャンセル</translation>
        </message>
    </context>
    <context>
        <name>Template182</name>
        <message>
            <source>Start application</source>
            <translation>外部ｱﾌﾟﾘ起動</translation>
        </message>
        <message>
            <source>Outside application 1 setting</source>
            <translation>外部アプリケーション1設定</translation>
        </message>
        <message>
            <source>Application name</source>
            <translation>アプリケーション名称</translation>
        </message>
        <message>
            <source>Ref</source>
            <translation>参照</translation>
        </message>
        <message>
            <source>Starting option</source>
            <translation>起動オプション</translation>
        </message>
        <message>
            <source>Menu name</source>
            <translation>ツールバー名称</translation>
        </message>
        <message>
            <source>Outside application 2 setting</source>
            <translation>外部アプリケーション2設定</translation>
        </message>
    </context>
    <context>
        <name>Template9911</name>
        <message>
            <source>Option</source>
            <translation>オプション</translation>
        </message>
        <message>
            <source>Property</source>
            <translation>機械設定</translation>
        </message>
        <message>
            <source>Machine File</source>
            <translation>機械設定ファイル</translation>
        </message>
        <message>
            <source>Punch Folder</source>
            <translation>特型・成型・刻印フォルダ</translation>
        </message>
        <message>
            <source>Ref</source>
            <translation>参照</translation>
        </message>
        <message>
            <source>Sheet</source>
            <translation>指示書</translation>
        </message>
        <message>
            <source>Program</source>
            <translation>起動指示書ｱﾌﾟﾘｹｰｼｮﾝ</translation>
        </message>
        <message>
            <source>Extension</source>
            <translation>拡張子</translation>
        </message>
        <message>
            <source>Trace</source>
            <translation>トレース</translation>
        </message>
        <message>
            <source>High</source>
            <translation>高速</translation>
        </message>
        <message>
            <source>Normal</source>
            <translation>中速</translation>
        </message>
        <message>
            <source>Low</source>
            <translation>低速</translation>
        </message>
        <message>
            <source>Dispray every part during Repeat time </source>
            <translation>多数個取り時、1部品毎に描画する</translation>
        </message>
        <message>
            <source>Only Stop first and last punch during nibbling</source>
            <translation>追い抜き・ニブリング時、最初と最後の金型のみ停止する</translation>
        </message>
        <message>
            <source>Option</source>
            <comment>group</comment>
            <translation>オプション</translation>
        </message>
        <message>
            <source>Prohibition of double open</source>
            <translation>複数起動を禁止する</translation>
        </message>
        <message>
            <source>Delete blank line During file saving</source>
            <translation>保存時、空白行自動削除</translation>
        </message>
        <message>
            <source>Create backup file</source>
            <translation>ﾊﾞｯｸｱｯﾌﾟﾌｧｲﾙを作成する</translation>
        </message>
        <message>
            <source>Extension and machine file</source>
            <translation>拡張子と機械設定の関連付け</translation>
        </message>
        <message>
            <source>Add</source>
            <translation>追加</translation>
        </message>
        <message>
            <source>Change</source>
            <translation>変更</translation>
        </message>
        <message>
            <source>Delete</source>
            <translation>削除</translation>
        </message>
    </context>
    <context>
        <name>Template9913</name>
        <message>
            <source>Convert NC</source>
            <translation>NC変換</translation>
        </message>
        <message>
            <source>Conversion List</source>
            <translation>変換設定一覧</translation>
        </message>
        <message>
            <source>Cancel</source>
            <translation>キャンセル</translation>
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
