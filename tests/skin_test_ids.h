// Identifiers of the skin tests' own resources (clear of the launcher's).
#pragma once
#define IDD_SKIN_TEST_HOST      9500
#define IDC_SKIN_TEST_BUTTON    9501
#define IDC_SKIN_TEST_OTHER     9502
#define IDB_SKIN_TEST_STRIP     9510
#define IDB_SKIN_TEST_GARBAGE   9511
#define IDB_SKIN_TEST_EMPTY     9512
#define IDB_SKIN_TEST_MISSING   9519
