<?xml version="1.0" encoding="utf-8"?>
<!DOCTYPE TS>
<TS version="2.1" language="zh_CN">
<!-- Names of the channel table's grid and cell editors (read by screen
     readers), the names of its undo steps and the lead of a refused edit
     command. Every other text of the form comes from the family descriptor
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
    <message>
        <source>Edit channel %1</source>
        <translation>编辑信道%1</translation>
    </message>
    <message>
        <source>Change %1</source>
        <translation>更改%1</translation>
    </message>
    <message>
        <source>Nothing was changed:</source>
        <translation>未做任何更改：</translation>
    </message>
    <message>
        <source>Cut</source>
        <translation>剪切</translation>
    </message>
    <message>
        <source>Paste</source>
        <translation>粘贴</translation>
    </message>
    <message>
        <source>Paste Inserted</source>
        <translation>插入粘贴</translation>
    </message>
    <message>
        <source>Insert Empty Channel</source>
        <translation>插入空信道</translation>
    </message>
    <message>
        <source>Delete Channel</source>
        <translation>删除信道</translation>
    </message>
    <message>
        <source>Move Up</source>
        <translation>上移</translation>
    </message>
    <message>
        <source>Move Down</source>
        <translation>下移</translation>
    </message>
    <message>
        <source>Fill Down</source>
        <translation>向下填充</translation>
    </message>
    <message>
        <source>Clear</source>
        <translation>清除</translation>
    </message>
</context>
</TS>
