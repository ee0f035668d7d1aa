# The six programs as the desktop sees them: the menu entry's name and
# description, in English and in Chinese (zh: every Chinese locale, as the
# programs' own language choice).
set(VELMAR_PROGRAMS Velmar_V VM_CH128 VM_CH118 Marlowe VM_CH16 VM_CH16_CN)

set(VELMAR_DESKTOP_NAME_Velmar_V "Velmar_V Radio Programmer")
set(VELMAR_DESKTOP_NAME_ZH_Velmar_V "Velmar_V 写频软件")
set(VELMAR_DESKTOP_COMMENT_Velmar_V
    "Read, edit and write 128-channel Velmar radios: channels, optional features, two-tone signalling")
set(VELMAR_DESKTOP_COMMENT_ZH_Velmar_V "读取、编辑和写入 128 信道 Velmar 对讲机：信道、可选功能、两音信令")

set(VELMAR_DESKTOP_NAME_VM_CH128 "VM_CH128 Radio Programmer")
set(VELMAR_DESKTOP_NAME_ZH_VM_CH128 "VM_CH128 写频软件")
set(VELMAR_DESKTOP_COMMENT_VM_CH128 "Read, edit and write 128-channel VM radios")
set(VELMAR_DESKTOP_COMMENT_ZH_VM_CH128 "读取、编辑和写入 128 信道 VM 对讲机")

set(VELMAR_DESKTOP_NAME_VM_CH118 "VM_CH118 Radio Programmer")
set(VELMAR_DESKTOP_NAME_ZH_VM_CH118 "VM_CH118 写频软件")
set(VELMAR_DESKTOP_COMMENT_VM_CH118 "Read, edit and write 118-channel VM radios")
set(VELMAR_DESKTOP_COMMENT_ZH_VM_CH118 "读取、编辑和写入 118 信道 VM 对讲机")

set(VELMAR_DESKTOP_NAME_Marlowe "Marlowe Radio Programmer")
set(VELMAR_DESKTOP_NAME_ZH_Marlowe "Marlowe 写频软件")
set(VELMAR_DESKTOP_COMMENT_Marlowe "Read, edit and write 16-channel Marlowe radios: key assignment, data password")
set(VELMAR_DESKTOP_COMMENT_ZH_Marlowe "读取、编辑和写入 16 信道 Marlowe 对讲机：按键设置、数据密码")

set(VELMAR_DESKTOP_NAME_VM_CH16 "VM_CH16 Radio Programmer")
set(VELMAR_DESKTOP_NAME_ZH_VM_CH16 "VM_CH16 写频软件")
set(VELMAR_DESKTOP_COMMENT_VM_CH16 "Read, edit and write 16-channel VM radios")
set(VELMAR_DESKTOP_COMMENT_ZH_VM_CH16 "读取、编辑和写入 16 信道 VM 对讲机")

set(VELMAR_DESKTOP_NAME_VM_CH16_CN "VM_CH16_CN Radio Programmer (Chinese)")
set(VELMAR_DESKTOP_NAME_ZH_VM_CH16_CN "VM_CH16_CN 写频软件（中文）")
set(VELMAR_DESKTOP_COMMENT_VM_CH16_CN "Read, edit and write 16-channel VM radios, in Chinese")
set(VELMAR_DESKTOP_COMMENT_ZH_VM_CH16_CN "读取、编辑和写入 16 信道 VM 对讲机（中文界面）")
