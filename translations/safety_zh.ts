<?xml version="1.0" encoding="utf-8"?>
<!DOCTYPE TS>
<TS version="2.1" language="zh_CN">
<!-- Texts of programming safely: the backup before a write, the check after
     it, Compare With and the checks before sending. The lines of the lists
     themselves (settings, values, problems) are built-in texts of velcore
     (table/image_compare, table/image_checks, link/write_sequence). -->
<context>
    <name>CMainFrame</name>
    <message>
        <source>Open &amp;Backup...</source>
        <translation>打开备份(&amp;B)...</translation>
    </message>
    <message>
        <source>Open one of the backups saved before each write</source>
        <translation>打开写频前保存的备份之一</translation>
    </message>
    <message>
        <source>Open Backup</source>
        <translation>打开备份</translation>
    </message>
    <message>
        <source>Compare &amp;With...</source>
        <translation>比较(&amp;W)...</translation>
    </message>
    <message>
        <source>List the differences between this document and another file or the radio</source>
        <translation>列出本文档与另一个文件或对讲机之间的差异</translation>
    </message>
    <message>
        <source>Compare</source>
        <translation>比较</translation>
    </message>
    <message>
        <source>&amp;Backup Before Write</source>
        <translation>写频前备份(&amp;B)</translation>
    </message>
    <message>
        <source>Read the radio and save what it holds before every write</source>
        <translation>每次写频前读取对讲机并保存其中的数据</translation>
    </message>
    <message>
        <source>&amp;Verify After Write</source>
        <translation>写频后核对(&amp;V)</translation>
    </message>
    <message>
        <source>Read the radio back after every write and compare it with what was sent</source>
        <translation>每次写频后读回对讲机，并与写入的数据比较</translation>
    </message>
</context>
<context>
    <name>CProgramCommands</name>
    <message>
        <source>The Radio</source>
        <translation>对讲机</translation>
    </message>
    <message>
        <source>Step %1 of %2: %3</source>
        <translation>第 %1 步，共 %2 步：%3</translation>
    </message>
    <message>
        <source>Compare this document with:</source>
        <translation>将本文档与以下对象比较：</translation>
    </message>
    <message>
        <source>A &amp;File...</source>
        <translation>文件(&amp;F)...</translation>
    </message>
    <message>
        <source>The &amp;Radio</source>
        <translation>对讲机(&amp;R)</translation>
    </message>
    <message>
        <source>Cancel</source>
        <translation>取消</translation>
    </message>
    <message>
        <source>%1 (Before writing, %2 warnings; the first: %3)</source>
        <translation>%1（写频前有 %2 个警告；第一个：%3）</translation>
    </message>
    <message>
        <source>Compare With</source>
        <translation>比较</translation>
    </message>
</context>
<context>
    <name>CVelApp</name>
    <message>
        <source>Open Backup</source>
        <translation>打开备份</translation>
    </message>
    <message>
        <source>Backups of %1 (%1-*.sin)</source>
        <translation>%1 的备份 (%1-*.sin)</translation>
    </message>
</context>
<context>
    <name>velui::CDifferenceListDlg</name>
    <message>
        <source>Compare</source>
        <translation>比较</translation>
    </message>
    <message>
        <source>Check After Write</source>
        <translation>写频后核对</translation>
    </message>
    <message>
        <source>Setting</source>
        <translation>设置</translation>
    </message>
    <message>
        <source>This document</source>
        <translation>本文档</translation>
    </message>
    <message>
        <source>Sent</source>
        <translation>写入</translation>
    </message>
    <message>
        <source>Radio has</source>
        <translation>对讲机中</translation>
    </message>
    <message>
        <source>Close</source>
        <translation>关闭</translation>
    </message>
    <message>
        <source>This document and %1 are the same.</source>
        <translation>本文档与 %1 相同。</translation>
    </message>
    <message>
        <source>Differences between this document and %1: %2</source>
        <translation>本文档与 %1 之间的差异：%2 处</translation>
    </message>
    <message>
        <source>Use this channel</source>
        <translation>采用此信道</translation>
    </message>
    <message>
        <source>Use this value</source>
        <translation>采用此值</translation>
    </message>
</context>
<context>
    <name>velui::CCheckResultDlg</name>
    <message>
        <source>Checks Before Writing</source>
        <translation>写频前检查</translation>
    </message>
    <message>
        <source>The checks before writing found %1 errors and %2 warnings.</source>
        <translation>写频前检查发现 %1 个错误和 %2 个警告。</translation>
    </message>
    <message>
        <source>Kind</source>
        <translation>类别</translation>
    </message>
    <message>
        <source>Setting</source>
        <translation>设置</translation>
    </message>
    <message>
        <source>Value</source>
        <translation>值</translation>
    </message>
    <message>
        <source>Problem</source>
        <translation>问题</translation>
    </message>
    <message>
        <source>Write Anyway</source>
        <translation>仍然写入</translation>
    </message>
    <message>
        <source>Cancel</source>
        <translation>取消</translation>
    </message>
</context>
</TS>
