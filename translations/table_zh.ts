<?xml version="1.0" encoding="utf-8"?>
<!DOCTYPE TS>
<TS version="2.1" language="zh_CN">
<!-- Names of the channel table's grid and cell editors (read by screen
     readers). Every other text of the form comes from the family descriptor
     in both languages. -->
<context>
    <name>CVelView</name>
    <message>
        <source>Channel table</source>
        <translation>信道表</translation>
    </message>
    <message>
        <source>Frequency</source>
        <translation>频率</translation>
    </message>
    <message>
        <source>Channel name</source>
        <translation>信道名称</translation>
    </message>
    <message>
        <source>Tone</source>
        <translation>信令</translation>
    </message>
</context>
</TS>
