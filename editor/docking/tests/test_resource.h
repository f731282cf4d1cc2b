// Resources of the docking tests.
#define IDD_TEST_BAR 175
#define IDC_TEST_EDIT 1001
#define IDC_TEST_COMBO 1002
