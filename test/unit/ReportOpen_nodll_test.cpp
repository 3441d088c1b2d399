// Opening a report where no device-interface library can be loaded.
#include "report/XmlReport.h"
#include "support/ReportOpen.h"
#include "support/ReportXml.h"
#include "support/SimDevice.h"

#include <gtest/gtest.h>

TEST(ReportOpenWithoutLibrary, HeaderNamesTheDeviceUnknown)
{
    ASSERT_EQ(GetFileAttributesW((ExeFolder() + L"\\VekTiv.dll").c_str()), INVALID_FILE_ATTRIBUTES);
    CScriptedOpen scripted;
    CTempDir dir;
    std::wstring path = dir.File(L"unit7.xml");
    ASSERT_EQ(OpenAndClose(path, FALSE), 0u);
    EXPECT_NE(ReadReportText(path).find(ExpectedHeader(L"Unknown")), std::wstring::npos);
}
