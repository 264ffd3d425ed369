// Identifiers of the skin tests' own resources (clear of the launcher's).
#pragma once
#define IDB_SKIN_TEST_STRIP     9510
#define IDB_SKIN_TEST_GARBAGE   9511
#define IDB_SKIN_TEST_EMPTY     9512
#define IDB_SKIN_TEST_MISSING   9519
