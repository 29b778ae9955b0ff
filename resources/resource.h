// Resource identifiers of the main program (shared by the .rc files and the code).
#pragma once

// Icons and bitmaps
#define IDR_MAINFRAME            128
#define IDI_ROW_HEIGHT           146
#define IDI_PROFILE_FIRST        163   // 163..168: the six profile icons
#define IDB_ABOUT_BANNER         175
#define IDB_PIN_HINT             190

// Dialog templates
#define IDD_TOLVIK_NETWORK_DIALOG 102
#define IDD_WIZARD_NAME          103
#define IDD_WIZARD_ADAPTER       104
#define IDD_WIZARD_TCP           105
#define IDD_WIZARD_PROXY         106
#define IDD_WIZARD_NETWORKCHK    107
#define IDD_WIZARD_RUNAPP        108
#define IDD_WIZARD_PRINTER       109
#define IDD_WIZARD_CONFIRM       110
#define IDD_ABOUTBOX             161
#define IDD_HINTS                185
#define IDD_PROGRESS             187
#define IDD_PROXY_SETTING        188
#define IDD_TCP_ADVANCED         189

// String table (message texts)
#define IDS_IE_VERSION_ERROR     130
#define IDS_OS_ERROR             131
#define IDS_FONT_ERROR           132
#define IDS_FINISH_TEXT          133
#define IDS_NAME_EMPTY           134
#define IDS_ICON_EMPTY           135
#define IDS_WMI_ERROR            136
#define IDS_ADAPTER_EMPTY        137
#define IDS_INTERNAL_ERROR       138
#define IDS_BAD_IP               139
#define IDS_BAD_MASK             140
#define IDS_BAD_GATEWAY          141
#define IDS_BAD_DNS1             142
#define IDS_BAD_DNS2             143
#define IDS_IP_FIRST_FIELD       144
#define IDS_DNS1_FIRST_FIELD     145
#define IDS_DNS2_FIRST_FIELD     146
#define IDS_DNS_SAME             147
#define IDS_IP_GATEWAY_SAME      148
#define IDS_HTTP_PORT            149
#define IDS_SECURE_PORT          150
#define IDS_FTP_PORT             151
#define IDS_GOPHER_PORT          152
#define IDS_SOCKS_PORT           153
#define IDS_CHECK_URL_EMPTY      154
#define IDS_APP_PATH_EMPTY       155
#define IDS_PRINTER_EMPTY        156
#define IDS_READ_FAILED          157
#define IDS_WRITE_FAILED         158
#define IDS_ADD_FAILED           159
#define IDS_NAME_DUPLICATE       160
#define IDS_EDIT_FAILED          161
#define IDS_DELETE_QUESTION      162
#define IDS_DELETE_FAILED        163
#define IDS_TOO_MANY_PROFILES    164
#define IDS_TCPIP_FAILED         165
#define IDS_PROXY_FAILED         166
#define IDS_PRINTER_FAILED       167
#define IDS_CHECK_ADAPTER        168
#define IDS_SWITCH_DONE          169
#define IDS_MENU_ABOUT           170
#define IDS_COLUMN_ADAPTER       172
#define IDS_COLUMN_CONNECTION    173
#define IDS_CHECK_ADDRESS        174
#define IDS_CHECK_DHCP           175
#define IDS_CHECK_PING           176
#define IDS_CHECK_HTTP           177
#define IDS_PROXY_EMPTY          178
#define IDS_DISK_FULL            179
#define IDS_ALREADY_RUNNING      180
#define IDS_NO_PROFILES          181
#define IDS_EDITOR_RUNNING       182
#define IDS_INIT_FAILED          183
#define IDS_HINTS_TEXT           184
#define IDS_MENU_HINTS           185
#define IDS_PROGRESS_PROFILE     186
#define IDS_MENU_PROGRESS        187
#define IDS_MENU_AUTORUN         230
#define IDS_JUMPLIST_STALE       188
#define IDS_MANAGED_PROFILES     189
// The profile in force and the automatic switch (the main dialog)
#define IDS_IN_FORCE_MARK        240
#define IDS_IN_FORCE_LINE        241
#define IDS_AUTO_SWITCH_QUESTION 242
// The TCP/IP page's rules for a profile's additions (wizard/AdditionRules)
#define IDS_ADDRESS_TWICE        200
#define IDS_GATEWAY_OUTSIDE      201
#define IDS_GATEWAY_TWICE        202
#define IDS_BAD_METRIC           203
#define IDS_MORE_DNS_FIRST_FIELD 204
#define IDS_DNS_TWICE            205
#define IDS_BAD_SUFFIX           206
#define IDS_BAD_MORE_DNS         207
#define IDS_MORE_DNS_AFTER_TWO   208
#define IDS_FALLBACK_TAKEN       215
#define IDS_FALLBACK_MODE        216
#define IDS_NETWORK_NOT_FOUND    217
// Column titles of the TCP/IP page's advanced dialog
#define IDS_COLUMN_IP_ADDRESS    210
#define IDS_COLUMN_SUBNET_MASK   211
#define IDS_COLUMN_GATEWAY       212
#define IDS_COLUMN_METRIC        213
#define IDS_COLUMN_DNS_SERVER    214

// Controls, by dialog. Ids repeat across dialogs; within one they are unique.

// The main dialog (102)
#define IDC_MAIN_AUTORUN         1001
#define IDC_MAIN_PROFILE_LIST    1002
#define IDC_MAIN_DESCRIPTION     1003
#define IDC_MAIN_ADD             1004
#define IDC_MAIN_EDIT            1005
#define IDC_MAIN_DELETE          1006
#define IDC_MAIN_APPLY           1007
#define IDC_MAIN_MANAGED         1008  // shown only when the profiles are managed

// The name and icon page (103)
#define IDC_NAME_EDIT            1006
#define IDC_NAME_ICON_LIST       1007

// The network connection page (104)
#define IDC_ADAPTER_LIST         1008
#define IDC_ADAPTER_RECORD       1050  // record the network the connection is on
#define IDC_ADAPTER_FOUND        1051  // what was found of it
#define IDC_ADAPTER_AUTOMATIC    1052  // applied on joining it
#define IDC_ADAPTER_NO_DHCP      1053  // applied when no DHCP server answers
#define IDC_ADAPTER_GATEWAY_LOST 1054  // applied when the fixed network's gateway does not answer

// The TCP/IP page (105); the two pairs of radio buttons are consecutive
#define IDC_TCP_FIXED_IP         1009
#define IDC_TCP_DHCP             1010
#define IDC_TCP_DNS_MANUAL       1011
#define IDC_TCP_DNS_AUTO         1012
#define IDC_TCP_IP_ADDRESS       1013
#define IDC_TCP_SUBNET_MASK      1014
#define IDC_TCP_GATEWAY          1015
#define IDC_TCP_PREFERRED_DNS    1016
#define IDC_TCP_ALTERNATE_DNS    1017
#define IDC_TCP_ADVANCED         1018  // opens the advanced dialog (189)

// The proxy page (106)
#define IDC_PROXY_NONE           1029
#define IDC_PROXY_KEEP           1030
#define IDC_PROXY_USE            1031
#define IDC_PROXY_DETAILS        1036
#define IDC_PROXY_SUMMARY        1023

// The network check page (107)
#define IDC_NETWORKCHK_DHCP      1001
#define IDC_NETWORKCHK_PING      1002
#define IDC_NETWORKCHK_URL       1003
#define IDC_NETWORKCHK_URL_EDIT  1015

// The application page (108)
#define IDC_RUNAPP_RUN           1001
#define IDC_RUNAPP_PATH          1016
#define IDC_RUNAPP_ARGUMENTS     1017
#define IDC_RUNAPP_BROWSE        1018

// The printer page (109)
#define IDC_PRINTER_LIST         1019
#define IDC_PRINTER_SET          1020

// The confirmation page (110)
#define IDC_CONFIRM_NAME         1021
#define IDC_CONFIRM_SUMMARY      1023
#define IDC_CONFIRM_ICON         1024
#define IDC_CONFIRM_CONNECTION   1025
#define IDC_CONFIRM_ADAPTER      1027

// The proxy detail dialog (188)
#define IDC_PROXY_SETTING_SCRIPT       1014
#define IDC_PROXY_SETTING_HTTP         1015
#define IDC_PROXY_SETTING_SECURE       1016
#define IDC_PROXY_SETTING_FTP          1017
#define IDC_PROXY_SETTING_GOPHER       1018
#define IDC_PROXY_SETTING_SOCKS        1019
#define IDC_PROXY_SETTING_HTTP_PORT    1020
#define IDC_PROXY_SETTING_SECURE_PORT  1021
#define IDC_PROXY_SETTING_FTP_PORT     1022
#define IDC_PROXY_SETTING_GOPHER_PORT  1023
#define IDC_PROXY_SETTING_SOCKS_PORT   1024
#define IDC_PROXY_SETTING_EXCEPTIONS   1025
#define IDC_PROXY_SETTING_SAME_FOR_ALL 1028
#define IDC_PROXY_SETTING_BYPASS_LOCAL 1003

// The TCP/IP page's advanced dialog (189): per list the list, the fields
// of an entry and the buttons
#define IDC_TCP_ADVANCED_ADDRESS_LIST    1001
#define IDC_TCP_ADVANCED_ADDRESS_IP      1002
#define IDC_TCP_ADVANCED_ADDRESS_MASK    1003
#define IDC_TCP_ADVANCED_ADDRESS_ADD     1004
#define IDC_TCP_ADVANCED_ADDRESS_CHANGE  1005
#define IDC_TCP_ADVANCED_ADDRESS_REMOVE  1006
#define IDC_TCP_ADVANCED_ADDRESS_UP      1007
#define IDC_TCP_ADVANCED_ADDRESS_DOWN    1008
#define IDC_TCP_ADVANCED_GATEWAY_LIST    1011
#define IDC_TCP_ADVANCED_GATEWAY_IP      1012
#define IDC_TCP_ADVANCED_GATEWAY_METRIC  1013
#define IDC_TCP_ADVANCED_GATEWAY_ADD     1014
#define IDC_TCP_ADVANCED_GATEWAY_CHANGE  1015
#define IDC_TCP_ADVANCED_GATEWAY_REMOVE  1016
#define IDC_TCP_ADVANCED_GATEWAY_UP      1017
#define IDC_TCP_ADVANCED_GATEWAY_DOWN    1018
#define IDC_TCP_ADVANCED_DNS_LIST        1021
#define IDC_TCP_ADVANCED_DNS_IP          1022
#define IDC_TCP_ADVANCED_DNS_ADD         1024
#define IDC_TCP_ADVANCED_DNS_CHANGE      1025
#define IDC_TCP_ADVANCED_DNS_REMOVE      1026
#define IDC_TCP_ADVANCED_DNS_UP          1027
#define IDC_TCP_ADVANCED_DNS_DOWN        1028
#define IDC_TCP_ADVANCED_SUFFIX          1031

// The hint window (185)
#define IDC_HINTS_HIDE           1001
#define IDC_HINTS_ICON           1030
#define IDC_HINTS_TEXT           1031
#define IDC_HINTS_PICTURE        1037

// The progress dialog (187)
#define IDC_PROGRESS_PROFILE     1031
#define IDC_PROGRESS_BAR         1035

// System-menu commands
#define IDM_ABOUTBOX             32815
#define IDM_HINTS                32816
#define IDM_PROGRESS_OPTION      32818
#define IDM_AUTORUN              32819
