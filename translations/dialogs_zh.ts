<?xml version="1.0" encoding="utf-8"?>
<!DOCTYPE TS>
<TS version="2.1" language="zh_CN">
<context>
    <name>velui::CChannelEditDlg</name>
    <message>
        <source>Channel Edit</source>
        <translation>信道编辑</translation>
    </message>
    <message>
        <source>Opt Signal(2 Tone)</source>
        <translation>选择信令(两音)</translation>
    </message>
    <message>
        <source>Call</source>
        <translation>呼叫</translation>
    </message>
    <message>
        <source>Decode</source>
        <translation>解码</translation>
    </message>
    <message>
        <source>OK</source>
        <translation>确定</translation>
    </message>
    <message>
        <source>Channel</source>
        <translation>信道</translation>
    </message>
    <message>
        <source>Opt Signal</source>
        <translation>选择信令</translation>
    </message>
    <message>
        <source>Please enter an integer.</source>
        <translation>请输入一个整数。</translation>
    </message>
    <message>
        <source>Please enter an integer between %1 and %2.</source>
        <translation>请输入一个介于 %1 和 %2 之间的整数。</translation>
    </message>
</context>
<context>
    <name>velui::COptionalFeaturesDlg</name>
    <message>
        <source>Optional Features</source>
        <translation>可选功能</translation>
    </message>
    <message>
        <source>Function Set</source>
        <translation>功能设置</translation>
    </message>
    <message>
        <source>Time out time(TOT)(s)</source>
        <translation>发射限时(TOT)(秒)</translation>
    </message>
    <message>
        <source>Squelch Level</source>
        <translation>静噪等级</translation>
    </message>
    <message>
        <source>Chinese</source>
        <translation>中文</translation>
    </message>
    <message>
        <source>English</source>
        <translation>英文</translation>
    </message>
    <message>
        <source>Language Choose</source>
        <translation>语言选择</translation>
    </message>
    <message>
        <source>OFF</source>
        <translation>关</translation>
    </message>
    <message>
        <source>Vox Gain Level</source>
        <translation>声控灵敏度</translation>
    </message>
    <message>
        <source>Priority Channel</source>
        <translation>优先信道</translation>
    </message>
    <message>
        <source>None</source>
        <translation>无</translation>
    </message>
    <message>
        <source>Autodial</source>
        <translation>自动拨号</translation>
    </message>
    <message>
        <source>Key Lock</source>
        <translation>键盘锁</translation>
    </message>
    <message>
        <source>Monitor</source>
        <translation>监听</translation>
    </message>
    <message>
        <source>Monitor Momentary</source>
        <translation>瞬时监听</translation>
    </message>
    <message>
        <source>Scrambler</source>
        <translation>扰频</translation>
    </message>
    <message>
        <source>PF1</source>
        <translation>PF1</translation>
    </message>
    <message>
        <source>PF2</source>
        <translation>PF2</translation>
    </message>
    <message>
        <source>Beep</source>
        <translation>按键音</translation>
    </message>
    <message>
        <source>Battery Save</source>
        <translation>省电</translation>
    </message>
    <message>
        <source>Scrambler Activation</source>
        <translation>扰频激活</translation>
    </message>
    <message>
        <source> ID</source>
        <translation> 识别码</translation>
    </message>
    <message>
        <source>Group ID</source>
        <translation>组识别码</translation>
    </message>
    <message>
        <source>ID</source>
        <translation>识别码</translation>
    </message>
    <message>
        <source>Call ID</source>
        <translation>呼叫识别码</translation>
    </message>
    <message>
        <source>Check ID</source>
        <translation>检查识别码</translation>
    </message>
    <message>
        <source>Kill ID</source>
        <translation>遥毙识别码</translation>
    </message>
    <message>
        <source>Listen ID</source>
        <translation>监听识别码</translation>
    </message>
    <message>
        <source>Opt Signal In Frequent Mode</source>
        <translation>频率模式选择信令</translation>
    </message>
    <message>
        <source>Begin of Tx</source>
        <translation>发射开始</translation>
    </message>
    <message>
        <source>End of Tx</source>
        <translation>发射结束</translation>
    </message>
    <message>
        <source>OK</source>
        <translation>确定</translation>
    </message>
    <message>
        <source>Cancel</source>
        <translation>取消</translation>
    </message>
</context>
<context>
    <name>velui::CSettingsDlg</name>
    <message>
        <source>OK</source>
        <translation>确定</translation>
    </message>
    <message>
        <source>Cancel</source>
        <translation>取消</translation>
    </message>
    <message>
        <source>Optional Features</source>
        <translation>可选功能</translation>
    </message>
    <message>
        <source>Function Set</source>
        <translation>功能设置</translation>
    </message>
    <message>
        <source>Time out time(TOT)(s)</source>
        <translation>发射限时(TOT)(秒)</translation>
    </message>
    <message>
        <source>Squelch Level</source>
        <translation>静噪等级</translation>
    </message>
    <message>
        <source>Language Choose</source>
        <translation>语言选择</translation>
    </message>
    <message>
        <source>Beep</source>
        <translation>按键音</translation>
    </message>
    <message>
        <source>Scrambler Activation</source>
        <translation>扰频激活</translation>
    </message>
    <message>
        <source>Battery Save</source>
        <translation>省电</translation>
    </message>
    <message>
        <source>VOX</source>
        <translation>声控</translation>
    </message>
    <message>
        <source>Vox Function</source>
        <translation>声控功能</translation>
    </message>
    <message>
        <source>Vox Gain Level</source>
        <translation>声控灵敏度</translation>
    </message>
    <message>
        <source>Vox  Delay Time(s)</source>
        <translation>声控延迟时间(秒)</translation>
    </message>
    <message>
        <source>Vox Inhibit On Recieve</source>
        <translation>接收时禁止声控</translation>
    </message>
    <message>
        <source>PTT ID</source>
        <translation>PTT ID</translation>
    </message>
    <message>
        <source>ANI CODE</source>
        <translation>ANI 码</translation>
    </message>
    <message>
        <source>Begin of Tx</source>
        <translation>发射开始</translation>
    </message>
    <message>
        <source>End of Tx</source>
        <translation>发射结束</translation>
    </message>
    <message>
        <source>Key Assignment</source>
        <translation>按键设置</translation>
    </message>
    <message>
        <source>PF1</source>
        <translation>PF1</translation>
    </message>
    <message>
        <source>PF2</source>
        <translation>PF2</translation>
    </message>
</context>
<context>
    <name>velui::CTwoToneDlg</name>
    <message>
        <source>Tow Tone</source>
        <translation>两音</translation>
    </message>
</context>
<context>
    <name>velui::CTwoToneEncodePage</name>
    <message>
        <source>Short kill tone</source>
        <translation>短遥毙音</translation>
    </message>
    <message>
        <source>The first delay time(s)</source>
        <translation>第一延时时间(秒)</translation>
    </message>
    <message>
        <source>The second delay time(s)</source>
        <translation>第二延时时间(秒)</translation>
    </message>
    <message>
        <source>Long tone delay time(s)</source>
        <translation>长音延时时间(秒)</translation>
    </message>
    <message>
        <source>Tone interval time(s)</source>
        <translation>音间隔时间(秒)</translation>
    </message>
    <message>
        <source>Tx rise delay time(s)</source>
        <translation>发射上升延时(秒)</translation>
    </message>
    <message>
        <source>Please enter an integer.</source>
        <translation>请输入一个整数。</translation>
    </message>
    <message>
        <source>Please enter an integer between %1 and %2.</source>
        <translation>请输入一个介于 %1 和 %2 之间的整数。</translation>
    </message>
</context>
<context>
    <name>velui::CTwoToneSetPage</name>
    <message>
        <source>A Tone(HZ)</source>
        <translation>A 音(HZ)</translation>
    </message>
    <message>
        <source>B Tone(HZ)</source>
        <translation>B 音(HZ)</translation>
    </message>
    <message>
        <source>The first delay time(s)</source>
        <translation>第一延时时间(秒)</translation>
    </message>
    <message>
        <source>The second delay time(s)</source>
        <translation>第二延时时间(秒)</translation>
    </message>
    <message>
        <source>Interval time(s)</source>
        <translation>间隔时间(秒)</translation>
    </message>
    <message>
        <source>Long tone delay time(s)</source>
        <translation>长音延时时间(秒)</translation>
    </message>
</context>
</TS>
