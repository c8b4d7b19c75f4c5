#pragma once

// Resources of the add-in; the host reads the string and the images.
#define IDS_RIGSMITH 1
#define IDB_RIGSMITH_16 102
#define IDB_RIGSMITH_32 103
#define IDD_STL_PICKER 104

#define IDC_LEVEL_LIST 1001
#define IDC_STL_BROWSE 1002
#define IDC_HEADING_FILE 1003
#define IDC_HEADING_LEVELS 1004
#define IDC_HEADING_SELECT 1005
#define IDC_SELECT 1006
#define IDC_TOLERANCE_LABEL 1007
#define IDC_TOLERANCE 1008
#define IDC_SELECTION_COUNT 1009
#define IDC_SELECTION_NAME 1010
