<?xml version="1.0" encoding="utf-8"?>
<!DOCTYPE TS>
<TS version="2.1" language="zh_CN">
<context>
    <name>velui::CChannelEditDlg</name>
    <message>
        <location filename="../signalling/ui/channel_edit_dlg.cpp" line="38"/>
        <source>Channel Edit</source>
        <translation>信道编辑</translation>
    </message>
    <message>
        <location filename="../signalling/ui/channel_edit_dlg.cpp" line="45"/>
        <source>Opt Signal(2 Tone)</source>
        <translation>选择信令(两音)</translation>
    </message>
    <message>
        <location filename="../signalling/ui/channel_edit_dlg.cpp" line="52"/>
        <source>Call</source>
        <translation>呼叫</translation>
    </message>
    <message>
        <location filename="../signalling/ui/channel_edit_dlg.cpp" line="53"/>
        <source>Decode</source>
        <translation>解码</translation>
    </message>
    <message>
        <location filename="../signalling/ui/channel_edit_dlg.cpp" line="60"/>
        <source>OK</source>
        <translation>确定</translation>
    </message>
    <message>
        <location filename="../signalling/ui/channel_edit_dlg.cpp" line="66"/>
        <source>Channel</source>
        <translation>信道</translation>
    </message>
    <message>
        <location filename="../signalling/ui/channel_edit_dlg.cpp" line="67"/>
        <source>Opt Signal</source>
        <translation>选择信令</translation>
    </message>
    <message>
        <location filename="../signalling/ui/channel_edit_dlg.cpp" line="160"/>
        <source>Please enter an integer.</source>
        <translation>请输入一个整数。</translation>
    </message>
    <message>
        <location filename="../signalling/ui/channel_edit_dlg.cpp" line="162"/>
        <source>Please enter an integer between %1 and %2.</source>
        <translation>请输入一个介于 %1 和 %2 之间的整数。</translation>
    </message>
</context>
<context>
    <name>velui::COptionalFeaturesDlg</name>
    <message>
        <location filename="../settings/ui/optional_features_dlg.cpp" line="92"/>
        <source>Optional Features</source>
        <translation>可选功能</translation>
    </message>
    <message>
        <location filename="../settings/ui/optional_features_dlg.cpp" line="99"/>
        <source>Function Set</source>
        <translation>功能设置</translation>
    </message>
    <message>
        <location filename="../settings/ui/optional_features_dlg.cpp" line="107"/>
        <source>Time out time(TOT)(s)</source>
        <translation>发射限时(TOT)(秒)</translation>
    </message>
    <message>
        <location filename="../settings/ui/optional_features_dlg.cpp" line="112"/>
        <source>Squelch Level</source>
        <translation>静噪等级</translation>
    </message>
    <message>
        <location filename="../settings/ui/optional_features_dlg.cpp" line="114"/>
        <source>Chinese</source>
        <translation>中文</translation>
    </message>
    <message>
        <location filename="../settings/ui/optional_features_dlg.cpp" line="114"/>
        <source>English</source>
        <translation>英文</translation>
    </message>
    <message>
        <location filename="../settings/ui/optional_features_dlg.cpp" line="115"/>
        <source>Language Choose</source>
        <translation>语言选择</translation>
    </message>
    <message>
        <location filename="../settings/ui/optional_features_dlg.cpp" line="117"/>
        <location filename="../settings/ui/optional_features_dlg.cpp" line="173"/>
        <source>OFF</source>
        <translation>关</translation>
    </message>
    <message>
        <location filename="../settings/ui/optional_features_dlg.cpp" line="120"/>
        <source>Vox Gain Level</source>
        <translation>声控灵敏度</translation>
    </message>
    <message>
        <location filename="../settings/ui/optional_features_dlg.cpp" line="124"/>
        <source>Priority Channel</source>
        <translation>优先信道</translation>
    </message>
    <message>
        <location filename="../settings/ui/optional_features_dlg.cpp" line="127"/>
        <source>None</source>
        <translation>无</translation>
    </message>
    <message>
        <location filename="../settings/ui/optional_features_dlg.cpp" line="127"/>
        <source>Autodial</source>
        <translation>自动拨号</translation>
    </message>
    <message>
        <location filename="../settings/ui/optional_features_dlg.cpp" line="127"/>
        <source>Key Lock</source>
        <translation>键盘锁</translation>
    </message>
    <message>
        <location filename="../settings/ui/optional_features_dlg.cpp" line="128"/>
        <source>Monitor</source>
        <translation>监听</translation>
    </message>
    <message>
        <location filename="../settings/ui/optional_features_dlg.cpp" line="128"/>
        <source>Monitor Momentary</source>
        <translation>瞬时监听</translation>
    </message>
    <message>
        <location filename="../settings/ui/optional_features_dlg.cpp" line="128"/>
        <source>Scrambler</source>
        <translation>扰频</translation>
    </message>
    <message>
        <location filename="../settings/ui/optional_features_dlg.cpp" line="131"/>
        <source>PF1</source>
        <translation>PF1</translation>
    </message>
    <message>
        <location filename="../settings/ui/optional_features_dlg.cpp" line="132"/>
        <source>PF2</source>
        <translation>PF2</translation>
    </message>
    <message>
        <location filename="../settings/ui/optional_features_dlg.cpp" line="136"/>
        <source>Beep</source>
        <translation>按键音</translation>
    </message>
    <message>
        <location filename="../settings/ui/optional_features_dlg.cpp" line="137"/>
        <source>Battery Save</source>
        <translation>省电</translation>
    </message>
    <message>
        <location filename="../settings/ui/optional_features_dlg.cpp" line="138"/>
        <source>Scrambler Activation</source>
        <translation>扰频激活</translation>
    </message>
    <message>
        <location filename="../settings/ui/optional_features_dlg.cpp" line="147"/>
        <source> ID</source>
        <translation> 识别码</translation>
    </message>
    <message>
        <location filename="../settings/ui/optional_features_dlg.cpp" line="153"/>
        <source>Group ID</source>
        <translation>组识别码</translation>
    </message>
    <message>
        <location filename="../settings/ui/optional_features_dlg.cpp" line="160"/>
        <source>ID</source>
        <translation>识别码</translation>
    </message>
    <message>
        <location filename="../settings/ui/optional_features_dlg.cpp" line="164"/>
        <source>Call ID</source>
        <translation>呼叫识别码</translation>
    </message>
    <message>
        <location filename="../settings/ui/optional_features_dlg.cpp" line="167"/>
        <source>Check ID</source>
        <translation>检查识别码</translation>
    </message>
    <message>
        <location filename="../settings/ui/optional_features_dlg.cpp" line="169"/>
        <source>Kill ID</source>
        <translation>遥毙识别码</translation>
    </message>
    <message>
        <location filename="../settings/ui/optional_features_dlg.cpp" line="171"/>
        <source>Listen ID</source>
        <translation>监听识别码</translation>
    </message>
    <message>
        <location filename="../settings/ui/optional_features_dlg.cpp" line="174"/>
        <source>Opt Signal In Frequent Mode</source>
        <translation>频率模式选择信令</translation>
    </message>
    <message>
        <location filename="../settings/ui/optional_features_dlg.cpp" line="176"/>
        <source>Begin of Tx</source>
        <translation>发射开始</translation>
    </message>
    <message>
        <location filename="../settings/ui/optional_features_dlg.cpp" line="177"/>
        <source>End of Tx</source>
        <translation>发射结束</translation>
    </message>
    <message>
        <location filename="../settings/ui/optional_features_dlg.cpp" line="187"/>
        <source>OK</source>
        <translation>确定</translation>
    </message>
    <message>
        <location filename="../settings/ui/optional_features_dlg.cpp" line="188"/>
        <source>Cancel</source>
        <translation>取消</translation>
    </message>
</context>
<context>
    <name>velui::CTwoToneDlg</name>
    <message>
        <location filename="../signalling/ui/two_tone_dlg.cpp" line="151"/>
        <source>Tow Tone</source>
        <translation>两音</translation>
    </message>
</context>
<context>
    <name>velui::CTwoToneEncodePage</name>
    <message>
        <location filename="../signalling/ui/two_tone_encode_page.cpp" line="81"/>
        <source>Short kill tone</source>
        <translation>短遥毙音</translation>
    </message>
    <message>
        <location filename="../signalling/ui/two_tone_encode_page.cpp" line="88"/>
        <source>The first delay time(s)</source>
        <translation>第一延时时间(秒)</translation>
    </message>
    <message>
        <location filename="../signalling/ui/two_tone_encode_page.cpp" line="89"/>
        <source>The second delay time(s)</source>
        <translation>第二延时时间(秒)</translation>
    </message>
    <message>
        <location filename="../signalling/ui/two_tone_encode_page.cpp" line="90"/>
        <source>Long tone delay time(s)</source>
        <translation>长音延时时间(秒)</translation>
    </message>
    <message>
        <location filename="../signalling/ui/two_tone_encode_page.cpp" line="91"/>
        <source>Tone interval time(s)</source>
        <translation>音间隔时间(秒)</translation>
    </message>
    <message>
        <location filename="../signalling/ui/two_tone_encode_page.cpp" line="92"/>
        <source>Tx rise delay time(s)</source>
        <translation>发射上升延时(秒)</translation>
    </message>
    <message>
        <location filename="../signalling/ui/two_tone_encode_page.cpp" line="205"/>
        <source>Please enter an integer.</source>
        <translation>请输入一个整数。</translation>
    </message>
    <message>
        <location filename="../signalling/ui/two_tone_encode_page.cpp" line="208"/>
        <source>Please enter an integer between %1 and %2.</source>
        <translation>请输入一个介于 %1 和 %2 之间的整数。</translation>
    </message>
</context>
<context>
    <name>velui::CTwoToneSetPage</name>
    <message>
        <location filename="../signalling/ui/two_tone_dlg.cpp" line="57"/>
        <source>A Tone(HZ)</source>
        <translation>A 音(HZ)</translation>
    </message>
    <message>
        <location filename="../signalling/ui/two_tone_dlg.cpp" line="58"/>
        <source>B Tone(HZ)</source>
        <translation>B 音(HZ)</translation>
    </message>
    <message>
        <location filename="../signalling/ui/two_tone_dlg.cpp" line="59"/>
        <source>The first delay time(s)</source>
        <translation>第一延时时间(秒)</translation>
    </message>
    <message>
        <location filename="../signalling/ui/two_tone_dlg.cpp" line="60"/>
        <source>The second delay time(s)</source>
        <translation>第二延时时间(秒)</translation>
    </message>
    <message>
        <location filename="../signalling/ui/two_tone_dlg.cpp" line="61"/>
        <source>Interval time(s)</source>
        <translation>间隔时间(秒)</translation>
    </message>
    <message>
        <location filename="../signalling/ui/two_tone_dlg.cpp" line="62"/>
        <source>Long tone delay time(s)</source>
        <translation>长音延时时间(秒)</translation>
    </message>
</context>
</TS>
