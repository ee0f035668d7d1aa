<?xml version="1.0" encoding="utf-8"?>
<!DOCTYPE TS>
<TS version="2.1" language="zh_CN">
<!-- Texts of the programming commands: the simulated radio of the Port menu,
     the status bar's sentence at the end of a session, and the time left
     beside the progress dialog's status line. The progress dialog's other
     texts and the test mode's texts are built-in texts of the families
     (link/session_texts, testmode/test_mode_state), not Qt translations. -->
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
    <message>
        <source>Read %1 bytes from %2 in %3 s</source>
        <translation>已从 %2 读取 %1 字节，用时 %3 秒</translation>
    </message>
    <message>
        <source>Wrote %1 bytes to %2 in %3 s. %4</source>
        <translation>已向 %2 写入 %1 字节，用时 %3 秒。%4</translation>
    </message>
    <message>
        <source>Read from %1 cancelled after %2 of %3 bytes</source>
        <translation>从 %1 读取已取消：已读取 %2 / %3 字节</translation>
    </message>
    <message>
        <source>Read from %1 failed after %2 of %3 bytes</source>
        <translation>从 %1 读取失败：已读取 %2 / %3 字节</translation>
    </message>
    <message>
        <source>%1 could not be opened</source>
        <translation>无法打开 %1</translation>
    </message>
</context>
<context>
    <name>ProgressDialog</name>
    <message>
        <source>%1 %, %2 s left</source>
        <translation>%1%，剩余 %2 秒</translation>
    </message>
</context>
</TS>
