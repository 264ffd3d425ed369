// Identifiers of test-only resources (kept clear of the launcher's).
#pragma once
#define IDD_TEST_PLAIN   9001
#define IDD_TEST_HIDDEN  9002
#define IDC_TEST_GO      9101
#define IDC_TEST_EDIT    9102
