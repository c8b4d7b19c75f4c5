#pragma once

#define IDD_PICK_ENTITIES 201
#define IDC_PICK_PROMPT 1001
#define IDC_PICK_LIST 1002
