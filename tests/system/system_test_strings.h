// Identifiers of the test-only string table (system_test_strings.rc).
#pragma once
#define IDS_TEST_SHORT 61000
#define IDS_TEST_ACCENT 61001
#define IDS_TEST_1022 61002
#define IDS_TEST_1023 61003
#define IDS_TEST_1024 61004
#define IDS_TEST_3000 61005
#define IDS_TEST_MISSING 61099
