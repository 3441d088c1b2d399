<?xml version="1.0" encoding="UTF-8"?>
<!-- A minimal page for the harness's own test; the program's stylesheet comes from res/. -->
<html xsl:version="1.0" xmlns:xsl="http://www.w3.org/1999/XSL/Transform">
  <head><title>Vek Quorvel Report (<xsl:value-of select="VekQuorvelReport/Header/ComputerName"/>)</title></head>
  <body>
    <h1>Vek Quorvel Report</h1>
    <xsl:for-each select="VekQuorvelReport/TestGroup">
      <h2>Test Group <xsl:value-of select="GroupNumber"/>: <xsl:value-of select="GroupName"/></h2>
    </xsl:for-each>
  </body>
</html>
