<?xml version="1.0" encoding="utf-8"?>
<!DOCTYPE TS>
<TS version="2.1" language="zh_CN">
<!-- Texts of the programming commands: the simulated radio of the Port menu.
     The progress dialog's and the test mode's texts are built-in texts of
     the families (link/session_texts, testmode/test_mode_state), not Qt
     translations. -->
<context>
    <name>CMainFrame</name>
    <message>
        <source>Simulated &amp;radio</source>
        <translation>模拟对讲机(&amp;R)</translation>
    </message>
    <message>
        <source>Use the radio simulated inside this program: no cable or radio needed</source>
        <translation>使用本程序内模拟的对讲机：无需连接线和对讲机</translation>
    </message>
    <message>
        <source>Simulated radio</source>
        <translation>模拟对讲机</translation>
    </message>
</context>
<context>
    <name>CProgramCommands</name>
    <message>
        <source>The simulated radio could not be started: %1</source>
        <translation>模拟对讲机无法启动：%1</translation>
    </message>
</context>
</TS>
