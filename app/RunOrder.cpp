// The run order of the test groups: one place per group, NULL where a group is not built.
#include "app/RunOrder.h"

#include "groups/TestBios.h"
#include "groups/TestGeneral.h"
#include "groups/TestOS.h"
#include "groups/TestUPS.h"
#include "groups/TestVekDriversAndTools.h"

const CGroupPlace kRunOrder[17] = {
    { L"CTestOS", CreateGroup<CTestOS> },
    { L"CTestVekDriversAndTools", CreateGroup<CTestVekDriversAndTools> },
    { L"CTestBios", CreateGroup<CTestBios> },
    { L"CTestGeneral", CreateGroup<CTestGeneral> },
    { L"CTestSystemUnit", nullptr },
    { L"CTestCPUBoard", nullptr },
    { L"CTestCPU", nullptr },
    { L"CTestMemory", nullptr },
    { L"CTestBusUnit", nullptr },
    { L"CTestDrive", nullptr },
    { L"CTestFanKit", nullptr },
    { L"CTestIF", nullptr },
    { L"CTestIO", nullptr },
    { L"CTestUPS", CreateGroup<CTestUPS> },
    { L"CTestDisplayLink", nullptr },
    { L"CTestPanel", nullptr },
    { L"CTestDVI", nullptr },
};
