<?xml version="1.0" encoding="UTF-8"?>
<!-- The page a browser makes of a Vek Quorvel report: an XSLT 1.0 stylesheet in simplified form. -->
<html xsl:version="1.0" xmlns:xsl="http://www.w3.org/1999/XSL/Transform">
<xsl:variable name="report" select="/VekQuorvelReport"/>
<xsl:variable name="tests" select="$report/TestGroup/Category/SubCategory/Test"/>
<head>
<meta http-equiv="Content-Type" content="text/html; charset=UTF-8"/>
<title>Vek Quorvel Report (<xsl:value-of select="$report/Header/ComputerName"/>, <xsl:value-of select="$report/Header/Date"/>)</title>
<style type="text/css">
body, table, td, th, p, li, a { font-family: Verdana, Arial, Helvetica, sans-serif; font-size: xx-small; }
h1 { font-family: Verdana, Arial, Helvetica, sans-serif; font-size: x-large; font-weight: bold; color: #FF8800; }
h2 { font-family: Verdana, Arial, Helvetica, sans-serif; font-size: large; font-weight: bold; }
h3 { font-family: Verdana, Arial, Helvetica, sans-serif; font-size: small; font-weight: bold; }
h4 { font-family: Verdana, Arial, Helvetica, sans-serif; font-size: x-small; font-weight: bold; }
th { background-color: #7b7c7e; color: #FFFFFF; font-weight: bold; text-align: left; }
table.tests { width: 95%; border-collapse: collapse; border: 1px solid #d3d4d5; }
table.tests td, table.tests th { border: 1px solid #d3d4d5; padding: 2px 4px; vertical-align: top; }
table.info td { padding: 1px 8px 1px 0; }
.raw { font-family: 'Courier New', Courier, mono, monospace; white-space: pre-line; }
</style>
</head>
<body>
<h1>Vek Quorvel Report</h1>
<hr/>

<h2>Report Information</h2>
<table class="info" border="0">
<tr><td>Version</td><td><xsl:value-of select="$report/Header/Version"/></td></tr>
<tr><td>Device Type</td><td><xsl:value-of select="$report/Header/VekDeviceType"/></td></tr>
<tr><td>Computer</td><td><xsl:value-of select="$report/Header/ComputerName"/></td></tr>
<tr><td>Author</td><td><xsl:value-of select="$report/Header/Author"/></td></tr>
<tr><td>Date</td><td><xsl:value-of select="$report/Header/Date"/></td></tr>
<tr><td>Time</td><td><xsl:value-of select="$report/Header/Time"/></td></tr>
</table>

<h2><a name="TOC" id="TOC"></a>Table of Contents</h2>
<h3>Test Groups</h3>
<table class="tests">
<tr><th>Nr.</th><th>Test group</th><th>Description</th></tr>
<xsl:for-each select="$report/TestGroup">
<tr>
<td><xsl:value-of select="GroupNumber"/>.</td>
<td><a href="#GRP{GroupNumber}"><xsl:value-of select="GroupName"/></a></td>
<td><xsl:choose><xsl:when test="GroupDescription = 'DescrUndef'">&#160;</xsl:when><xsl:otherwise><xsl:value-of select="GroupDescription"/></xsl:otherwise></xsl:choose></td>
</tr>
</xsl:for-each>
</table>

<h3>Summaries of Sensor Values</h3>
<table class="tests">
<tr><th>Sensor types</th><th>Description</th></tr>
<tr><td><a href="#TempSum">Temperature sensors</a></td><td>A summary of all temperature sensors in the system.</td></tr>
<tr><td><a href="#TempFans">Fan sensors</a></td><td>A summary of all fan sensors in the system.</td></tr>
<tr><td><a href="#TempVolt">Voltage sensors</a></td><td>A summary of all voltage sensors in the system.</td></tr>
</table>

<h3>Failed Tests and Alarms</h3>
<table class="tests">
<tr><th>Test lists</th><th>Description</th></tr>
<tr><td><a href="#FailedTests">Failed tests</a></td><td>A list of tests which did not pass successfully.</td></tr>
<tr><td><a href="#Alarms">Alarms</a></td><td>A list of sensors which had an alarm state.</td></tr>
</table>

<xsl:for-each select="$report/TestGroup">
<xsl:variable name="group" select="GroupName"/>
<h2><a name="GRP{GroupNumber}" id="GRP{GroupNumber}"></a>Test Group <xsl:value-of select="GroupNumber"/>: <xsl:value-of select="GroupName"/></h2>
<hr/>
<xsl:if test="Category[CategoryName != 'CatUndef']">
<p>Available test categories: | <xsl:for-each select="Category[CategoryName != 'CatUndef']"><a href="#{concat($group, CategoryName)}"><xsl:value-of select="CategoryName"/></a> | </xsl:for-each></p>
</xsl:if>
<xsl:for-each select="Category">
<xsl:if test="CategoryName != 'CatUndef'">
<a name="{concat($group, CategoryName)}" id="{concat($group, CategoryName)}"></a>
<h3><xsl:value-of select="CategoryName"/></h3>
</xsl:if>
<xsl:for-each select="SubCategory">
<xsl:if test="SubCategoryName != 'CatUndef'">
<h4><xsl:value-of select="SubCategoryName"/></h4>
</xsl:if>
<table class="tests" border="1" bordercolor="#d3d4d5">
<tr><th width="20%">Test name</th><th width="5%" style="text-align: center">Test status</th><th width="30%">Result</th><th>Remark</th></tr>
<xsl:for-each select="Test">
<xsl:variable name="colour"><xsl:choose><xsl:when test="TestStatus = 'Failed' or TestStatus = 'Alarm'">#FF0000</xsl:when><xsl:otherwise>#000000</xsl:otherwise></xsl:choose></xsl:variable>
<xsl:variable name="format" select="TestResult/@Format"/>
<tr>
<td style="color: {$colour}"><a name="TST{TestNumber}" id="TST{TestNumber}"></a><xsl:value-of select="TestName"/></td>
<td style="color: {$colour}; text-align: center"><xsl:value-of select="TestStatus"/></td>
<td style="color: {$colour}"><xsl:choose>
<xsl:when test="string(TestResult) = ''">&#160;</xsl:when>
<xsl:when test="$format = 'Raw'"><span class="raw"><xsl:choose><xsl:when test="starts-with(TestResult, '&#10;')"><xsl:value-of select="substring(TestResult, 2)"/></xsl:when><xsl:otherwise><xsl:value-of select="TestResult"/></xsl:otherwise></xsl:choose></span></xsl:when>
<xsl:otherwise><xsl:value-of select="TestResult"/></xsl:otherwise>
</xsl:choose><xsl:choose>
<xsl:when test="$format = 'MHz'"> MHz</xsl:when>
<xsl:when test="$format = 'DegreeCentigrade'"> °C</xsl:when>
<xsl:when test="$format = 'GigaByte'"> GB</xsl:when>
<xsl:when test="$format = 'MegaByte'"> MB</xsl:when>
<xsl:when test="$format = 'KiloByte'"> KB</xsl:when>
<xsl:when test="$format = 'Percent'">%</xsl:when>
<xsl:when test="$format = 'Bytes'"> bytes</xsl:when>
<xsl:when test="$format = 'Hex'">h</xsl:when>
<xsl:when test="$format = 'Rpm'"> rpm</xsl:when>
<xsl:when test="$format = 'Volt'"> V</xsl:when>
<xsl:when test="$format = 'Ampere'"> A</xsl:when>
<xsl:when test="$format = 'Minutes'"> min</xsl:when>
<xsl:when test="$format = 'Seconds'"> sec</xsl:when>
<xsl:when test="$format = 'MilliSeconds'"> ms</xsl:when>
<xsl:when test="$format = 'Watt'"> W</xsl:when>
</xsl:choose></td>
<td style="color: {$colour}"><xsl:choose><xsl:when test="TestDescription = 'DescrUndef'">&#160;</xsl:when><xsl:otherwise><xsl:value-of select="TestDescription"/></xsl:otherwise></xsl:choose></td>
</tr>
</xsl:for-each>
</table>
</xsl:for-each>
</xsl:for-each>
<p><a href="#TOC">Go back to the table of contents</a></p>
</xsl:for-each>

<h2>Sensor Summaries</h2>

<h3><a name="TempSum" id="TempSum"></a>Temperature Sensors</h3>
<xsl:choose>
<xsl:when test="$tests[TestResult/@Format = 'DegreeCentigrade']">
<table class="tests">
<tr><th>Sensor</th><th>Value</th></tr>
<xsl:for-each select="$tests[TestResult/@Format = 'DegreeCentigrade']">
<xsl:variable name="colour"><xsl:choose><xsl:when test="TestStatus = 'Alarm'">#FF0000</xsl:when><xsl:otherwise>#000000</xsl:otherwise></xsl:choose></xsl:variable>
<tr><td style="color: {$colour}"><xsl:value-of select="../../../GroupName"/>&#160;&gt;&#160;<xsl:value-of select="TestName"/></td><td style="color: {$colour}"><xsl:value-of select="TestResult"/> °C</td></tr>
</xsl:for-each>
</table>
</xsl:when>
<xsl:otherwise><p>No temperature sensors available.</p></xsl:otherwise>
</xsl:choose>
<p><a href="#TOC">Go back to the table of contents</a></p>

<h3><a name="TempFans" id="TempFans"></a>Fan Sensors</h3>
<xsl:choose>
<xsl:when test="$tests[TestResult/@Format = 'Rpm']">
<table class="tests">
<tr><th>Sensor</th><th>Value</th></tr>
<xsl:for-each select="$tests[TestResult/@Format = 'Rpm']">
<xsl:variable name="colour"><xsl:choose><xsl:when test="TestStatus = 'Alarm'">#FF0000</xsl:when><xsl:otherwise>#000000</xsl:otherwise></xsl:choose></xsl:variable>
<tr><td style="color: {$colour}"><xsl:value-of select="../../../GroupName"/>&#160;&gt;&#160;<xsl:value-of select="TestName"/></td><td style="color: {$colour}"><xsl:value-of select="TestResult"/> rpm</td></tr>
</xsl:for-each>
</table>
</xsl:when>
<xsl:otherwise><p>No fan sensors available.</p></xsl:otherwise>
</xsl:choose>
<p><a href="#TOC">Go back to the table of contents</a></p>

<h3><a name="TempVolt" id="TempVolt"></a>Voltage Sensors</h3>
<xsl:choose>
<xsl:when test="$tests[TestResult/@Format = 'Volt']">
<table class="tests">
<tr><th>Sensor</th><th>Value</th></tr>
<xsl:for-each select="$tests[TestResult/@Format = 'Volt']">
<xsl:variable name="colour"><xsl:choose><xsl:when test="TestStatus = 'Alarm'">#FF0000</xsl:when><xsl:otherwise>#000000</xsl:otherwise></xsl:choose></xsl:variable>
<tr><td style="color: {$colour}"><xsl:value-of select="../../../GroupName"/>&#160;&gt;&#160;<xsl:value-of select="TestName"/></td><td style="color: {$colour}"><xsl:value-of select="TestResult"/> V</td></tr>
</xsl:for-each>
</table>
</xsl:when>
<xsl:otherwise><p>No voltage sensors available.</p></xsl:otherwise>
</xsl:choose>
<p><a href="#TOC">Go back to the table of contents</a></p>

<h2>Failed Tests and Alarms</h2>

<h3><a name="FailedTests" id="FailedTests"></a>Failed Tests</h3>
<xsl:choose>
<xsl:when test="$tests[TestStatus = 'Failed']">
<ul>
<xsl:for-each select="$tests[TestStatus = 'Failed']">
<li><a href="#TST{TestNumber}"><xsl:value-of select="../../../GroupName"/><xsl:if test="../../CategoryName != 'CatUndef'">&#160;&gt;&#160;<xsl:value-of select="../../CategoryName"/></xsl:if><xsl:if test="../SubCategoryName != 'CatUndef'">&#160;&gt;&#160;<xsl:value-of select="../SubCategoryName"/></xsl:if>&#160;&gt;&#160;<xsl:value-of select="TestName"/></a></li>
</xsl:for-each>
</ul>
</xsl:when>
<xsl:otherwise><p>No test failed.</p></xsl:otherwise>
</xsl:choose>
<p><a href="#TOC">Go back to the table of contents</a></p>

<h3><a name="Alarms" id="Alarms"></a>Alarms</h3>
<xsl:choose>
<xsl:when test="$tests[TestStatus = 'Alarm']">
<ul>
<xsl:for-each select="$tests[TestStatus = 'Alarm']">
<li><a href="#TST{TestNumber}"><xsl:value-of select="../../../GroupName"/><xsl:if test="../../CategoryName != 'CatUndef'">&#160;&gt;&#160;<xsl:value-of select="../../CategoryName"/></xsl:if><xsl:if test="../SubCategoryName != 'CatUndef'">&#160;&gt;&#160;<xsl:value-of select="../SubCategoryName"/></xsl:if>&#160;&gt;&#160;<xsl:value-of select="TestName"/></a></li>
</xsl:for-each>
</ul>
</xsl:when>
<xsl:otherwise><p>No sensor had an alarm state.</p></xsl:otherwise>
</xsl:choose>
<p><a href="#TOC">Go back to the table of contents</a></p>
</body>
</html>
