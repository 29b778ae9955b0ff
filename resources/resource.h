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
#define IDS_JUMPLIST_STALE       188

// Controls of the network connection page (104) and the TCP/IP page (105)
#define IDC_ADAPTER_LIST         1008
#define IDC_FIXED_IP             1009
#define IDC_DHCP                 1010
#define IDC_DNS_MANUAL           1011
#define IDC_DNS_AUTO             1012
#define IDC_IP_ADDRESS           1013
#define IDC_SUBNET_MASK          1014
#define IDC_GATEWAY              1015
#define IDC_PREFERRED_DNS        1016
#define IDC_ALTERNATE_DNS        1017

// System-menu commands
#define IDM_ABOUTBOX             32815
#define IDM_HINTS                32816
#define IDM_PROGRESS_OPTION      32818
