// CTest: the base of the seventeen test groups.
#pragma once

#include "device/TivLibrary.h"
#include "report/XmlReport.h"

// A test group writes one TestGroup element of the report, or nothing, from Run. Each group
// owns its own binding of the device-interface library (and so its own device-type cache).
class CTest
{
public:
    explicit CTest(CXmlReport* pReport) : m_pReport(pReport) {}
    virtual ~CTest() = default;
    CTest(const CTest&) = delete;
    CTest& operator=(const CTest&) = delete;

    virtual void Run() = 0;

    CXmlReport* m_pReport;  // the run's one writer; not owned
    CTivLibrary m_Library;
};
