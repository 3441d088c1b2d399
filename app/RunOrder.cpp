// The run order of the test groups: one place per group, NULL where a group is not built.
#include "app/RunOrder.h"

const CGroupPlace kRunOrder[17] = {
    { L"CTestOS", nullptr },
    { L"CTestVekDriversAndTools", nullptr },
    { L"CTestBios", nullptr },
    { L"CTestGeneral", nullptr },
    { L"CTestSystemUnit", nullptr },
    { L"CTestCPUBoard", nullptr },
    { L"CTestCPU", nullptr },
    { L"CTestMemory", nullptr },
    { L"CTestBusUnit", nullptr },
    { L"CTestDrive", nullptr },
    { L"CTestFanKit", nullptr },
    { L"CTestIF", nullptr },
    { L"CTestIO", nullptr },
    { L"CTestUPS", nullptr },
    { L"CTestDisplayLink", nullptr },
    { L"CTestPanel", nullptr },
    { L"CTestDVI", nullptr },
};
