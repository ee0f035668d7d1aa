<?xml version="1.0" encoding="utf-8"?>
<!DOCTYPE TS>
<TS version="2.1" language="zh_CN">
<context>
    <name>CTextFormCommands</name>
    <message>
        <source>Text Form (*.txt)</source>
        <translation>文本格式 (*.txt)</translation>
    </message>
    <message>
        <source>All Files (*)</source>
        <translation>所有文件 (*)</translation>
    </message>
    <message>
        <source>Import Text Form</source>
        <translation>导入文本格式</translation>
    </message>
    <message>
        <source>Export Text Form</source>
        <translation>导出文本格式</translation>
    </message>
    <message>
        <source>Password incorrect</source>
        <translation>密码错误</translation>
    </message>
    <message>
        <source>Imported the text form %1.</source>
        <translation>已导入文本格式 %1。</translation>
    </message>
    <message>
        <source>The text form could not be written.</source>
        <translation>无法写入文本格式。</translation>
    </message>
    <message>
        <source>Wrote the text form %1.</source>
        <translation>已写入文本格式 %1。</translation>
    </message>
</context>
<context>
    <name>SettingsDialog</name>
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
    <name>velui::CKeyAssignmentDlg</name>
    <message>
        <source>Key Assignment</source>
        <translation>按键设置</translation>
    </message>
    <message>
        <source>NO Function</source>
        <translation>无功能</translation>
    </message>
    <message>
        <source>Monitor</source>
        <translation>监听</translation>
    </message>
    <message>
        <source>Scan ON/OFF</source>
        <translation>扫描开/关</translation>
    </message>
    <message>
        <source>Scan Temperary Delete</source>
        <translation>扫描临时删除</translation>
    </message>
    <message>
        <source>High/Low Power</source>
        <translation>高/低功率</translation>
    </message>
    <message>
        <source>Talk Around</source>
        <translation>脱网</translation>
    </message>
    <message>
        <source>Reverse Frequency</source>
        <translation>反频</translation>
    </message>
    <message>
        <source>Vox ON/OFF</source>
        <translation>声控开/关</translation>
    </message>
    <message>
        <source>Scrambler ON/OFF</source>
        <translation>加密开/关</translation>
    </message>
    <message>
        <source>Short Press</source>
        <translation>短按</translation>
    </message>
    <message>
        <source>Long Press</source>
        <translation>长按</translation>
    </message>
    <message>
        <source>Side Button 2</source>
        <translation>侧键2</translation>
    </message>
    <message>
        <source>Side Button 3</source>
        <translation>侧键3</translation>
    </message>
</context>
<context>
    <name>velui::marlowe::COptionalFeaturesDlg</name>
    <message>
        <source>Optional Features</source>
        <translation>可选功能</translation>
    </message>
    <message>
        <source>Off</source>
        <translation>关</translation>
    </message>
    <message>
        <source>%1s</source>
        <translation>%1秒</translation>
    </message>
    <message>
        <source>English</source>
        <translation>英文</translation>
    </message>
    <message>
        <source>Chinese</source>
        <translation>中文</translation>
    </message>
    <message>
        <source>Disable</source>
        <translation>禁用</translation>
    </message>
    <message>
        <source>Enable</source>
        <translation>启用</translation>
    </message>
    <message>
        <source>On</source>
        <translation>开</translation>
    </message>
    <message>
        <source>WIDE</source>
        <translation>宽带</translation>
    </message>
    <message>
        <source>NARROW</source>
        <translation>窄带</translation>
    </message>
    <message>
        <source>Time out Time(TOT)</source>
        <translation>发射限时(TOT)</translation>
    </message>
    <message>
        <source>Squelch(SQ)</source>
        <translation>静噪(SQ)</translation>
    </message>
    <message>
        <source>Voice Announcement</source>
        <translation>语音提示</translation>
    </message>
    <message>
        <source>VOX Gain Level</source>
        <translation>声控灵敏度</translation>
    </message>
    <message>
        <source>TX Power Rank</source>
        <translation>发射功率等级</translation>
    </message>
    <message>
        <source>Beep</source>
        <translation>按键音</translation>
    </message>
    <message>
        <source>Scrambler</source>
        <translation>加密</translation>
    </message>
    <message>
        <source>Battery Save</source>
        <translation>省电</translation>
    </message>
    <message>
        <source>Band  Width</source>
        <translation>带宽</translation>
    </message>
</context>
</TS>
