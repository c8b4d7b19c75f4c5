#pragma once
#define IDD_TEST_DIALOG 200
#define IDC_TEST_BROWSE 1001
#define IDC_TEST_NAME 1002
