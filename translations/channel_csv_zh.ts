<?xml version="1.0" encoding="utf-8"?>
<!DOCTYPE TS>
<TS version="2.1" language="zh_CN">
<!-- Texts of File > Import Channels... and Export Channels...: the menu items,
     the file dialogs and the import dialog. The reasons of the import report
     are built-in texts of velcore (table/channel_csv), in both languages. -->
<context>
    <name>CMainFrame</name>
    <message>
        <source>Import C&amp;hannels...</source>
        <translation>导入频道(&amp;H)...</translation>
    </message>
    <message>
        <source>Export &amp;Channels...</source>
        <translation>导出频道(&amp;C)...</translation>
    </message>
    <message>
        <source>Read a channel list from a CSV file into the channel table</source>
        <translation>从 CSV 文件把频道列表读入频道表</translation>
    </message>
    <message>
        <source>Write the channel table to a CSV file</source>
        <translation>把频道表写入 CSV 文件</translation>
    </message>
    <message>
        <source>Import Channels</source>
        <translation>导入频道</translation>
    </message>
    <message>
        <source>Export Channels</source>
        <translation>导出频道</translation>
    </message>
</context>
<context>
    <name>CChannelCsvCommands</name>
    <message>
        <source>Import Channels</source>
        <translation>导入频道</translation>
    </message>
    <message>
        <source>Channel lists (*.csv)</source>
        <translation>频道列表 (*.csv)</translation>
    </message>
    <message>
        <source>All Files (*)</source>
        <translation>所有文件 (*)</translation>
    </message>
    <message>
        <source>%1 channels imported from %2</source>
        <translation>已从 %2 导入 %1 个频道</translation>
    </message>
    <message>
        <source>Channel table of this program (*.csv)</source>
        <translation>本程序的频道表 (*.csv)</translation>
    </message>
    <message>
        <source>Common exchange layout (*.csv)</source>
        <translation>通用交换格式 (*.csv)</translation>
    </message>
    <message>
        <source>Export Channels</source>
        <translation>导出频道</translation>
    </message>
    <message>
        <source>Channels</source>
        <translation>频道</translation>
    </message>
    <message>
        <source>Channels exported to %1</source>
        <translation>频道已导出到 %1</translation>
    </message>
</context>
<context>
    <name>velui::CImportChannelsDlg</name>
    <message>
        <source>Import Channels</source>
        <translation>导入频道</translation>
    </message>
    <message>
        <source>File: %1</source>
        <translation>文件：%1</translation>
    </message>
    <message>
        <source>Where the channels go</source>
        <translation>频道放在哪里</translation>
    </message>
    <message>
        <source>&amp;Replace the whole channel table</source>
        <translation>替换整个频道表(&amp;R)</translation>
    </message>
    <message>
        <source>&amp;Write each channel at its number (CH or Location)</source>
        <translation>按编号写入各频道（CH 或 Location）(&amp;W)</translation>
    </message>
    <message>
        <source>&amp;Append after the last channel in use</source>
        <translation>接在最后一个已用频道之后(&amp;A)</translation>
    </message>
    <message>
        <source>Apply</source>
        <translation>应用</translation>
    </message>
    <message>
        <source>Cancel</source>
        <translation>取消</translation>
    </message>
    <message>
        <source>Form: the channel table of this program</source>
        <translation>格式：本程序的频道表</translation>
    </message>
    <message>
        <source>Form: the common exchange layout</source>
        <translation>格式：通用交换格式</translation>
    </message>
    <message>
        <source>Channels imported: %1. Rows refused: %2. Rows without a frequency: %3.</source>
        <translation>导入的频道：%1。未导入的行：%2。没有频率的行：%3。</translation>
    </message>
    <message>
        <source>Every row is imported as the file states it.</source>
        <translation>所有行都按文件内容导入。</translation>
    </message>
</context>
</TS>
