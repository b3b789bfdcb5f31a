/* Resource identifiers shared by the resource scripts and the C++ code. Plain
   #defines: the resource compiler reads this file too. */
#pragma once

/* Dialog templates */
#define IDD_MULTI_RENAME 150
#define IDD_CHANGE_WILD 151
#define IDD_CHANGE_NUMBER 152

/* The host application's icon: looked up in the host executable, not in the module */
#define IDI_HOST_APP 250

/* Status images of the names list, in state image order 1 to 7 */
#define IDB_STATUS_GOOD 351
#define IDB_STATUS_UNCHANGED 352
#define IDB_STATUS_PENDING 353
#define IDB_STATUS_EMPTY 354
#define IDB_STATUS_DUPLICATE 355
#define IDB_STATUS_EXISTS 356
#define IDB_STATUS_INVALID 357
#define IDB_STATUS_FIRST IDB_STATUS_GOOD
#define IDB_STATUS_LAST IDB_STATUS_INVALID

/* Multi Rename dialog */
#define IDC_FIELD_EDIT 1500
#define IDC_FIELD_BUTTON 1501
#define IDC_NAMES_LIST 1503
#define IDC_COPY_NAMES 1504
#define IDC_PASTE_NAMES 1505
#define IDC_ALLOW_EXTENSION_CHANGES 1506
#define IDC_NUMBERS_AS_TEXT 1507
#define IDC_RESET 1508

/* Change Wild dialog */
#define IDC_WILD_RESET 1509
#define IDC_WILD_CLEAR_TEXT 1510
#define IDC_WILD_CASE_NO_CHANGE 1511
#define IDC_WILD_CASE_UPPER 1512
#define IDC_WILD_CASE_LOWER 1513
#define IDC_WILD_TRUNCATE 1514
#define IDC_WILD_LENGTH 1515

/* Context menu of the names list */
#define IDR_NAMES_MENU 1516
#define ID_COPY_NAMES 32768
#define ID_PASTE_NAMES 32769
#define ID_RESET_NAMES 32770
#define ID_REMOVE_FILES 32771
#define ID_SELECT_ALL 32772
#define ID_INVERT_SELECTION 32773

/* Change Number dialog */
#define IDC_NUMBER_RESET 1517
#define IDC_NUMBER_CLEAR_TEXT 1518
#define IDC_NUMBER_START 1519
#define IDC_NUMBER_DIGITS 1520
#define IDC_ZEROS_NO_CHANGE 1521
#define IDC_ZEROS_REMOVE 1522
#define IDC_ZEROS_PAD 1523
#define IDC_NUMBER_NO_CHANGE 1524
#define IDC_NUMBER_CLEAR 1525
#define IDC_NUMBER_RENUMBER 1526

/* The module's own manifest: common controls with visual styles during a call */
#define IDR_MODULE_MANIFEST 2

#ifndef IDC_STATIC
#define IDC_STATIC (-1)
#endif
