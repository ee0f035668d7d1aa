<?xml version="1.0" encoding="utf-8"?>
<!DOCTYPE TS>
<TS version="2.1" language="zh_CN">
<context>
    <name>ReportPrinter</name>
    <message>
        <source>Export PDF</source>
        <translation>导出PDF</translation>
    </message>
    <message>
        <source>PDF files (*.pdf)</source>
        <translation>PDF 文件 (*.pdf)</translation>
    </message>
    <message>
        <source>The report could not be written to %1.
%2</source>
        <translation>无法写入报表文件 %1。
%2</translation>
    </message>
    <message>
        <source>The report could not be printed.</source>
        <translation>无法打印报表。</translation>
    </message>
    <message>
        <source>This radio has no settings report.</source>
        <translation>本机型没有设置报表。</translation>
    </message>
</context>
</TS>
