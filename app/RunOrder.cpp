// The run order of the test groups: one place per group, NULL where a group is not built.
#include "app/RunOrder.h"

#include "groups/TestBios.h"
#include "groups/TestBusUnit.h"
#include "groups/TestCPU.h"
#include "groups/TestCPUBoard.h"
#include "groups/TestDVI.h"
#include "groups/TestDisplayLink.h"
#include "groups/TestDrive.h"
#include "groups/TestFanKit.h"
#include "groups/TestGeneral.h"
#include "groups/TestIF.h"
#include "groups/TestIO.h"
#include "groups/TestMemory.h"
#include "groups/TestOS.h"
#include "groups/TestPanel.h"
#include "groups/TestSystemUnit.h"
#include "groups/TestUPS.h"
#include "groups/TestVekDriversAndTools.h"

const CGroupPlace kRunOrder[17] = {
    { L"CTestOS", CreateGroup<CTestOS> },
    { L"CTestVekDriversAndTools", CreateGroup<CTestVekDriversAndTools> },
    { L"CTestBios", CreateGroup<CTestBios> },
    { L"CTestGeneral", CreateGroup<CTestGeneral> },
    { L"CTestSystemUnit", CreateGroup<CTestSystemUnit> },
    { L"CTestCPUBoard", CreateGroup<CTestCPUBoard> },
    { L"CTestCPU", CreateGroup<CTestCPU> },
    { L"CTestMemory", CreateGroup<CTestMemory> },
    { L"CTestBusUnit", CreateGroup<CTestBusUnit> },
    { L"CTestDrive", CreateGroup<CTestDrive> },
    { L"CTestFanKit", CreateGroup<CTestFanKit> },
    { L"CTestIF", CreateGroup<CTestIF> },
    { L"CTestIO", CreateGroup<CTestIO> },
    { L"CTestUPS", CreateGroup<CTestUPS> },
    { L"CTestDisplayLink", CreateGroup<CTestDisplayLink> },
    { L"CTestPanel", CreateGroup<CTestPanel> },
    { L"CTestDVI", CreateGroup<CTestDVI> },
};
