#!/usr/bin/env python3
"""Writes the simulated device profiles type01.ini .. type21.ini and default.ini.

One realistic device per type code: the modules each type carries are the rows of DEVICES
below, the values of each module come from one function per module. The scenario profiles
(scenario_*.ini) are written by hand. Run again after a change and commit the output:
    python3 sim/profiles/generate.py

Every value id of an export has a value of its own in a profile, derived from the id and the
device type, and neighbouring alarm ids have opposite states: a program that reads the wrong
id shows another value in its report. default.ini, the demo device, has one alarm only.
"""
import os

HERE = os.path.dirname(os.path.abspath(__file__))

MODELS = {
    1: "Ostell 340", 2: "Ostell 710", 3: "Torvex 430", 4: "Sendra 140/240", 5: "Kavun 120/220",
    6: "Torvex 270", 7: "Mirral 380", 8: "Sendra 370/470", 9: "Kavun 16", 10: "Mirral 150",
    11: "Kavun 18", 12: "Torvex 520", 13: "Mirral 540", 14: "Torvex 530", 15: "Sendra 590",
    16: "Torvex 190", 17: "Torvex 191", 18: "Torvex 670", 19: "Mirral 660", 20: "Torvex 960",
    21: "Mirral 960",
}

# What each device type carries. board: CPU board hardware string; panels: connected panel
# indexes (selected with TivSelectPanel; types 4, 5, 9 and 11 have only their built-in panel);
# the module names are those of the functions in MODULES.
DEVICES = {
    1: dict(board="815E 733 MHz", panels=[0], modules=["lmq"]),
    2: dict(board="H302 1.0 GHz", panels=[0, 1], modules=["lmq"]),
    3: dict(board="855GME 1.4 GHz", panels=[0], modules=["lmq"]),
    4: dict(board="G417 1.1 GHz", panels=[], builtin_panel=True, modules=["smc", "kelb"]),
    5: dict(board="G417 600 MHz", panels=[], builtin_panel=True, modules=["smc", "fpga1"]),
    6: dict(board="R563GME 1.8 GHz", panels=[0], modules=["lmq", "ups", "optid"]),
    7: dict(board="R563 2.0 GHz", panels=[0], modules=["optid"]),
    8: dict(board="T628 1.6 GHz", panels=[0, 2], modules=["kelb"]),
    9: dict(board="T628 800 MHz", panels=[], builtin_panel=True, handheld=True, modules=[]),
    10: dict(board="K749 1.2 GHz", panels=[0], modules=[]),
    11: dict(board="K749 1.0 GHz", panels=[], builtin_panel=True, handheld=True, modules=[]),
    12: dict(board="W871 2.2 GHz", panels=[0, 8], modules=["lmq", "ups"]),
    13: dict(board="ZLVR 1.6 GHz", panels=[0], modules=["ups", "wmi"]),
    14: dict(board="QD26 2.4 GHz", panels=[0, 3], modules=[]),
    15: dict(board="QD26 1.9 GHz", panels=[0, 1], modules=["io", "if1", "memfs"]),
    16: dict(board="W871 1.7 GHz", panels=[0, 1], modules=["io", "if2", "memfs"]),
    17: dict(board="QD26 2.1 GHz", panels=[0, 1, 2], modules=["io", "if1", "if2", "memfs"]),
    18: dict(board="ZLVR 2.5 GHz", panels=[0, 1, 8],
            modules=["bus", "drive1", "drive2", "casefan", "busfan", "if1", "if2", "displaylink",
                     "ups", "mem1", "mem2"]),
    19: dict(board="ZLVR 2.8 GHz", panels=[0, 15],
            modules=["bus", "drive2", "casefan", "busfan", "if1", "ups", "mem1", "mem2"]),
    20: dict(board="QD26 2.6 GHz", panels=[0], modules=["casefan", "if1", "displaylink"]),
    21: dict(board="ZLVR 2.2 GHz", panels=[0, 15], modules=["casefan", "busfan", "if2"]),
    # A later model the program does not know yet, with every module: the gates that name the
    # types without a module let it in, the others keep it out.
    22: dict(board="ZLVR 3.0 GHz", panels=[0, 1, 15],
             modules=["bus", "drive1", "drive2", "casefan", "busfan", "if1", "if2", "displaylink",
                      "ups", "mem1", "mem2", "io", "lmq", "optid"]),
}


def hexbytes(data):
    return " ".join(data[i:i + 16].hex().upper() for i in range(0, len(data), 16))


def raw_block(size, seed, text):
    """A factory block: a readable head, a counter pattern, then 0xFF fill."""
    head = text.encode("ascii")[:48].ljust(48, b"\0")
    body = bytes((seed * 7 + i * 13) & 0xFF for i in range(min(64, size - 48)))
    data = head + body
    return "bytes %s fill %d FF" % (hexbytes(data), size - len(data))


def celsius(tid, t):
    """A temperature of its own for each sensor id: 30 to 69 degrees."""
    return 30 + (3 * tid + t) % 40


def temperature(p, tid, suffix=""):
    p.add("Temperature %d = i8 %d%s" % (tid, celsius(tid, p.t), suffix))


def fan(p, hid):
    p.add("HardwareValue %d = u16 %d" % (hid, 1800 + hid * 23 + p.t * 7))


def boot_mode(p, fid):
    """Boot modes are 0 or 1: neighbouring ids differ."""
    p.add("FirmwareValue %d = u32 %d" % (fid, (fid + p.t) % 2))


def edid_block(t, channel):
    """256-byte display data: EDID base block with the maker's id, then its identity record."""
    b = bytearray(256)
    b[0:8] = bytes.fromhex("00FFFFFFFFFFFF00")
    b[8:10] = bytes([0x69, 0x8A])
    b[10:12] = bytes([0x40 + channel, 0x12])
    b[0x12:0x14] = bytes([1, 3])
    for i in range(0x14, 0x80):
        b[i] = (i * 5 + t) & 0xFF
    b[0x80:0x88] = bytes.fromhex("FF55AAFF0000FFFF")
    b[0x8A:0x8E] = (0x00012C00 + t * 16 + channel).to_bytes(4, "big")
    b[0x8E:0x90] = (0x1230 + channel).to_bytes(2, "big")
    b[0x90:0x94] = (0).to_bytes(4, "big")
    b[0x94:0x99] = b"B2\0\0\0"
    b[0x99:0xA5] = ("D%02d%07d" % (t, 4410 + channel)).encode("ascii")[:11].ljust(12, b"\0")
    model = ("5DLM%02d.%d-00" % (t, channel)).encode("ascii")
    b[0xA5:0xA5 + len(model)] = model
    for i in range(0xA5 + len(model) + 1, 256):
        b[i] = 0xFF
    return "bytes " + hexbytes(bytes(b))


class Profile:
    def __init__(self, t, demo=False):
        self.t = t
        self.demo = demo
        self.device = []
        self.panels = {}

    def add(self, line, panel=None):
        (self.device if panel is None else self.panels.setdefault(panel, [])).append(line)

    def comment(self, text):
        self.device.append("")
        self.device.append("# " + text)

    def text(self):
        out = ["# Simulated %s (device type %d). Written by generate.py; edit there." %
               ("Vek " + MODELS[self.t] if self.t in MODELS else "later model", self.t)]
        out += self.device
        for panel in sorted(self.panels):
            out.append("")
            out.append("[panel %d]" % panel)
            out += self.panels[panel]
        return "\n".join(out) + "\n"


def identity(p, name, base, version_id, raw_id, raw_size, hwrev_string=False, seed=0):
    """The regular factory-settings block of a plug-in module (ten fields)."""
    t = p.t
    p.comment("%s factory settings" % name)
    p.add("FactoryValue %d = u32 0x%08X" % (base, 0x00A10000 + base * 256 + t))
    p.add("FactoryValue %d = u16 0x%04X" % (base + 1, 0x0100 + base))
    p.add("FactoryValue %d = u32 0x%08X" % (base + 2, 0x00A20000 + base * 256 + t))
    reader = "FactoryStringW" if hwrev_string else "FactoryValue"
    p.add('%s %d = str "%s"' % (reader, base + 3, "%s%d" % (chr(ord("A") + base % 26), seed % 9 + 1)))
    p.add('FactoryStringW %d = str "%s"' % (base + 4, "E%02d%06d" % (t, 100000 + base * 37)))
    p.add('FactoryStringW %d = str "%s"' % (base + 5, "5%s%02d.%03d-00" % (name[:2].upper(), t, base)))
    p.add("FactoryValue %d = u32 0x%08X" % (base + 6, 0x00A30000 + base * 256 + t))
    p.add("FactoryValue %d = u16 0x%04X" % (base + 7, 0x0300 + base))
    p.add('FactoryValue %d = str "1.%02d"' % (version_id, version_id % 100))
    p.add("FactoryValue %d = %s" % (raw_id, raw_block(raw_size, base + t, "%s %d" % (name, t))))


def system_unit(p):
    t = p.t
    p.comment("System unit: factory settings")
    if t in (4, 5):
        p.add("FactoryValue 1 = u8 3")
    else:
        p.add('FactoryValue 1 = str "1.%d"' % (t % 7))
    p.add("FactoryValue 2 = u32 0x%08X" % (0x00C40000 + t * 0x111))
    p.add("FactoryValue 3 = u16 0x%04X" % (0x0010 + t))
    for fid, value in ((5, 0x10), (6, 0xA0), (7, 0xFF), (8, 0x20), (9, 0x80), (10, 0xE0)):
        p.add("FactoryValue %d = u8 0x%02X" % (fid, value))
    p.add("FactoryValue 11 = u32 0x%08X" % (0x00C50000 + t))
    p.add('FactoryStringW 12 = str "D%d"' % (t % 3 + 1))
    p.add('FactoryStringW 13 = str "%s"' % ("A7%02dK%05d" % (t, 1200 + t * 31)))
    p.add('FactoryStringW 14 = str "%s"' % ("5P%02d.%03d-10" % (t, 100 + t)))
    p.add("FactoryValue 31 = u32 0x%08X" % (0x00C60000 + t))
    p.add("FactoryValue 32 = u16 0x%04X" % (0x0C70 + t))
    p.add("FactoryValue 17 = %s" % raw_block(2048 if t >= 15 else 256, t, "SYSTEM UNIT %d" % t))

    p.comment("System unit: statistics (power-on cycles, hours, fan-on hours)")
    p.add("StatisticsValue 0 = u32 %d" % (812 + t * 17))
    p.add("StatisticsValue 1 = u32 %d" % (23870 + t * 411))
    p.add("StatisticsValue 2 = u32 %d" % (20117 + t * 305))

    p.comment("System unit: temperatures (named board sensors and sensors 1 to 4), alarms")
    for tid in (1, 2, 3, 4, 8, 9, 10, 11, 12, 13, 14) + ((19, 20, 21, 22) if t >= 15 else ()):
        temperature(p, tid)

    p.comment("System unit: case fans (rpm)")
    for hid in (6, 7, 8, 9):
        fan(p, hid)

    p.comment("System unit: switches, CMOS profile, optimized ID, CMOS battery")
    p.add("HardwareValue 0 = u8 0x%02X" % (0x10 + t))
    p.add("HardwareValue 1 = u32 %d" % (t % 2))
    p.add("HardwareValue 51 = u8 0x%x" % (t % 3 + 1))
    p.add("HardwareValue 37 = i32 1")
    p.add("Voltage 3 = u32 %d" % (3010 + t * 3))

    p.comment("System unit firmware: DROV, FPGA and KJ58 versions")
    p.add('FirmwareStringW 27 = str "DROV V1.%02d"' % (20 + t))
    boot_mode(p, 29)
    p.add('FirmwareStringW 18 = str "FPGA 2.%d"' % t)
    p.add('FirmwareStringW 19 = str "KJ58 V%d.04"' % (t % 4 + 1))


def bios_general_cpu(p, board):
    t = p.t
    p.comment("BIOS")
    p.add('FirmwareStringW 21 = str "V1.%02d R%d"' % (t + 10, t % 3))
    p.add('FirmwareStringW 23 = str "%02d/%02d/20%02d"' % (t % 12 + 1, t + 3, 5 + t % 4))
    boot_mode(p, 28)

    p.comment("General: user settings and key configuration")
    p.add("UserSerialId = u32 0x%08X" % (0x00ABCD00 + t))
    p.add("UserLed = u8 %d" % (t % 4))
    p.add('UserlogoStringW 0 = str "sendra%d.bmp 2006/03/1%d 10:2%d:33"' % (t, t % 10, t % 10))
    p.add("UserlogoValue 1 = u16 0x0105")
    p.add("UserlogoValue 2 = u32 %d" % (786488 + t))
    p.add("KeyCfgState = u32 1")
    p.add('KeyCfgStringW 0 = str "2.%02d"' % (t + 1))
    p.add('KeyCfgStringW 1 = str "2006-0%d-1%d"' % (t % 9 + 1, t % 10))
    p.add('KeyCfgStringW 2 = str "Line %d key layout"' % t)
    p.add("KeyLayer = u8 %d" % (t % 3))
    p.add("KeyLayerMode = u8 %d" % (t % 3))

    p.comment("CPU board: type, factory settings, statistics, temperatures, voltages")
    p.add('HardwareStringW 16 = str "%s"' % board)
    identity(p, "CPU Board", 45, 77, 81, 1536, hwrev_string=True, seed=t)
    p.add("StatisticsValue 5 = u16 %d" % (640 + t))
    p.add("StatisticsValue 6 = u16 %d" % (21000 + t * 97))
    for tid in (6, 15, 16, 17, 18):
        temperature(p, tid)
    for vid, mv in ((1, 3312), (5, 5040), (2, 4985), (7, 24150), (8, 18500 + t * 250)):
        p.add("Voltage %d = u32 %d" % (vid, mv + t))

    p.comment("CPU: temperature, alarm and core voltages")
    wmi = " wmi" if "wmi" in DEVICES[t]["modules"] else ""
    temperature(p, 0, wmi)
    p.add("Voltage 0 = u32 %d" % (1356 - t))
    p.add("Voltage 4 = u32 %d" % (1340 + t))


def presence(p, ids_present, ids_all=(12, 18, 28, 29, 57, 58, 59, 60, 61, 62, 63, 64, 65, 66)):
    p.comment("Module presence values (non-zero = present)")
    for hid in ids_all:
        if hid == 12:
            continue  # panel connection: per panel below
        p.add("HardwareValue %d = u32 %d" % (hid, 1 if hid in ids_present else 0))


def module_smc(p):
    p.comment("SMC and ZUQ controllers, on-board FPGA")
    p.add('FirmwareStringW 16 = str "SMC V2.%02d"' % p.t)
    p.add('FirmwareStringW 17 = str "ZUQ V1.%02d"' % (p.t + 3))
    fpga(p, 0, 4, 8, 12, "Sendra 10.03.2003 V10", 131072, 5)


def module_fpga1(p):
    fpga(p, 3, 7, 11, 15, "Kavun 02.07.2004 V03", 98304, 6)


def fpga(p, info, xml, size, status, comment, nbytes, code):
    p.add('FirmwareStringW %d = str "%s"' % (info, comment))
    p.add('FirmwareStringW %d = str "<?xml version=\\"1.0\\"?><fpga id=\\"%d\\" size=\\"%d\\"/>\\n"'
          % (xml, info, nbytes))
    p.add("FirmwareValue %d = u32 %d" % (size, nbytes))
    p.add("FirmwareValue %d = u8 %d" % (status, code))


def module_kelb(p):
    # Type 8 has a module in both slots; the one in slot 2 failed to boot.
    slot2 = p.t == 8
    p.comment("Kelb slots: a module with old firmware in slot 1, slot 2 %s"
              % ("failed to boot" if slot2 else "empty"))
    p.add("FirmwareValue 13 = u8 6")
    p.add("FirmwareValue 14 = u8 %d" % (4 if slot2 else 2))
    p.add('FirmwareStringW 1 = str "Kelb CAN 12.05.2005 V04"')
    p.add('FirmwareStringW 5 = str "<fpga id=\\"CAN\\" size=\\"65536\\"/>"')
    p.add("FirmwareValue 9 = u32 65536")
    p.add('HardwareStringW 2 = str "5KB%02d.CAN-00"' % p.t)
    p.add('HardwareStringW 4 = str "0000A%03d"' % p.t)
    p.add("HardwareValue 24 = u8 2")
    p.add("HardwareValue 26 = bytes 4B 45 4C 42 00 01 02 03 fill 248 FF")
    if slot2:
        p.add('FirmwareStringW 2 = str "Kelb DIO 03.11.2005 V02"')
        p.add('FirmwareStringW 6 = str "<fpga id=\\"DIO\\" size=\\"32768\\"/>"')
        p.add("FirmwareValue 10 = u32 32768")
        p.add('HardwareStringW 3 = str "5KB%02d.DIO-00"' % p.t)
        p.add('HardwareStringW 5 = str "0000B%03d"' % p.t)
        p.add("HardwareValue 25 = u8 1")
        p.add("HardwareValue 27 = bytes 4B 45 4C 42 00 02 fill 250 FF")


def module_lmq(p):
    p.comment("LMQ Link")
    p.add('HardwareStringW 19 = str "LMQ Link RX"')
    p.add('FirmwareStringW 24 = str "LMQ FPGA V1.%02d"' % p.t)


def module_optid(p):
    p.comment("Optimized ID")
    p.add("HardwareValue 15 = u8 0x4B")


def module_ups(p):
    t = p.t
    upsii = t in (18, 19)
    p.comment("UPS: type %s" % ("UPSII" if upsii else "UPSI"))
    p.add('HardwareStringW 30 = str "%s"' % ("UPSII" if upsii else "UPSI"))
    p.add('FirmwareStringW 25 = str "1.%02d"' % (12 if upsii else 10))
    p.add("HardwareValue 31 = u32 0x0001")
    p.add("HardwareValue 36 = u32 0x0003C8")  # 200 requests, 3 errors
    p.add("HardwareValue 32 = i32 %d" % (1500 if t % 2 else -1500))
    p.add("HardwareValue 33 = u32 %d" % (24300 + t * 10))
    p.add("StatisticsValue 18 = u32 %d" % (12 + t))
    p.add("StatisticsValue 19 = u16 %d" % (3 + t))
    temperature(p, 7)
    p.add('FactoryStringW 34 = str "1.03"')
    p.add("FactoryValue 35 = u32 0x00B10%03X" % t)
    p.add("FactoryValue 36 = u16 0x0004")
    p.add("FactoryValue 37 = u32 0x%08X" % (0x00B30000 + t))
    p.add('FactoryValue 38 = str "B0"')
    p.add('FactoryStringW 39 = str "U%02d%06d"' % (t, 500123 + t))
    p.add('FactoryStringW 40 = str "5AC600.UPS%d-00"' % (2 if upsii else 1))
    p.add("FactoryValue 33 = %s" % raw_block(256, t, "UPS MODULE"))
    p.add("FactoryValue 41 = %s" % raw_block(256, t + 1, "BATTERY"))
    p.add('FactoryValue 42 = str "1.01"')
    p.add("FactoryValue 43 = u32 0x00B2%04X" % t)
    p.add('FactoryValue 44 = str "5AC600.BAT1-00"')
    p.comment("UPS user settings block (256 bytes: shutdown time 300 s, limitation enabled)")
    p.add("UploadFileW 17 = bytes 55 53 52 31 00 01 00 00 2C 01 00 fill 245 00")


def module_wmi(p):
    pass  # the CPU temperature needs WMI: see bios_general_cpu


def module_io(p):
    t = p.t
    p.comment("I/O board: firmware, factory settings, temperatures, statistics")
    p.add('FirmwareStringW 30 = str "IO FPGA V1.%02d"' % t)
    boot_mode(p, 31)
    identity(p, "IO Board", 61, 79, 83, 1024, seed=t + 1)
    for tid in (31, 32, 33, 34):
        temperature(p, tid)
    p.add("StatisticsValue 9 = u16 %d" % (700 + t))
    p.add("StatisticsValue 10 = u16 %d" % (19000 + t))


def module_if(p, slot):
    t = p.t
    base, version, raw = (53, 78, 82) if slot == 1 else (105, 113, 114)
    identity(p, "IF Board %d" % slot, base, version, raw, 1024, seed=t + slot)
    if not getattr(p, "if_temps", False):
        p.if_temps = True
        for tid in (27, 28, 29, 30):
            temperature(p, tid)
    cycles, hours = (7, 8) if slot == 1 else (15, 16)
    p.add("StatisticsValue %d = u32 %d" % (cycles, 300 + t * slot))
    p.add("StatisticsValue %d = u32 %d" % (hours, 15000 + t * 41 * slot))


def module_bus(p):
    identity(p, "Bus Unit", 85, 93, 94, 1024, seed=2)
    p.add("StatisticsValue 11 = u32 %d" % (402 + p.t))
    p.add("StatisticsValue 12 = u32 %d" % (17020 + p.t))


def module_drive(p, n):
    base = 135 if n == 1 else 145
    identity(p, "Slide-In Drive %d" % n, base, base + 8, base + 9, 512, seed=n)
    temperature(p, 3 if n == 1 else 4)


def module_casefan(p):
    identity(p, "Case Fan Kit", 125, 133, 134, 512, seed=3)
    p.add("StatisticsValue 17 = u32 %d" % (95 + p.t))
    for hid in (6, 7, 8, 9):
        fan(p, hid)


def module_busfan(p):
    identity(p, "Bus Fan Kit", 155, 163, 164, 384, seed=4)
    p.add("StatisticsValue 20 = u32 %d" % (61 + p.t))
    p.add("StatisticsValue 21 = u32 %d" % (9020 + p.t))
    for hid in (67, 68, 69, 70):
        fan(p, hid)


def module_displaylink(p):
    p.comment("Display link: firmware, factory settings, statistics, temperatures")
    p.add('FirmwareStringW 24 = str "DL FPGA V1.%02d"' % p.t)
    boot_mode(p, 32)
    identity(p, "Display Link", 95, 103, 104, 1024, seed=5)
    p.add("StatisticsValue 13 = u32 %d" % (222 + p.t))
    p.add("StatisticsValue 14 = u32 %d" % (8800 + p.t))
    for tid in (35, 36, 37, 38):
        temperature(p, tid)


def module_memory(p, n):
    if n == 1:
        identity(p, "Memory Module 1", 69, 80, 84, 128 if p.t == 18 else 512, hwrev_string=True, seed=6)
    else:
        identity(p, "Memory Module 2", 115, 123, 124, 128, hwrev_string=True, seed=7)


MODULES = {
    "smc": module_smc, "fpga1": module_fpga1, "kelb": module_kelb, "lmq": module_lmq,
    "optid": module_optid, "ups": module_ups, "wmi": module_wmi, "io": module_io,
    "if1": lambda p: module_if(p, 1), "if2": lambda p: module_if(p, 2), "bus": module_bus,
    "drive1": lambda p: module_drive(p, 1), "drive2": lambda p: module_drive(p, 2),
    "casefan": module_casefan, "busfan": module_busfan, "displaylink": module_displaylink,
    "mem1": lambda p: module_memory(p, 1), "mem2": lambda p: module_memory(p, 2),
    "memfs": lambda p: module_memory(p, 1),
}

PRESENCE = {"ups": (28, 29), "io": (58,), "if1": (57,), "if2": (59,), "bus": (65,),
            "drive1": (62,), "drive2": (63,), "casefan": (61,), "busfan": (66,),
            "displaylink": (18,), "lmq": (18,), "mem1": (64,), "mem2": (60,)}


def panel_entries(p, index, panel=None):
    """The values of one panel: status, link, factory data, counters, display, keys, LEDs."""
    t = p.t

    def add(line):
        p.add(line, panel)

    if panel is not None:
        add("HardwareValue 12 = u32 1")
        add("HardwareValue 13 = u32 1")
        add("HardwareValue 14 = u32 %d" % ((t + index) % 2))
        add("PanelLockTime = u32 %d" % (5000 + index * 250))
        add('HardwareStringW 17 = str "LMQ Link %s"' % ("TX" if index else "RX"))
        add('FirmwareStringW 20 = str "Panel FPGA V1.%02d"' % (index + 3))
        add("FactoryValue 27 = u32 0")
        add("FactoryValue 25 = u32 0x%08X" % (0x00D10000 + index * 16 + t))
        add("FactoryValue 26 = u16 0x%04X" % (0x0200 + index))
        add('FactoryStringW 28 = str "F%d"' % (index % 3 + 1))
        add('FactoryStringW 29 = str "P%02d%07d"' % (t, 3300000 + index))
        add('FactoryStringW 30 = str "5AP%02d.%d-00"' % (t, index))
        add("FactoryValue 18 = %s" % raw_block(256, index + t, "PANEL %d" % index))
        add("StatisticsValue 3 = u32 %d" % (333 + index))
        add("StatisticsValue 4 = u32 %d" % (21900 + index * 7))
        add("StatisticsValue 22 = u32 %d" % (120 + index))
        add("StatisticsValue 23 = u32 %d" % (5400 + index))
        add("Temperature 5 = i8 %d" % (celsius(5, t) + index % 3))
        add("HardwareValue 11 = u16 %d" % (2900 + index * 40))
        if not p.demo:
            add("Alarm 9 = u32 %d" % ((9 + t + index) % 2))
            add("Alarm 10 = u32 %d" % ((10 + t + index) % 2))
        add("DisplayEqualizer 0 = u32 %d" % (0 if index % 2 == 0 else 1))
        add("DisplayEqualizer 1 = u8 %d" % (7 + index % 3))
        add("HardwareValue 21 = u8 %d" % (9 + index % 4))
    add("DisplayType = u8 0x%02X" % (0x20 + t))
    add("FactoryValue 4 = u8 0x%02X" % (0x30 + index))
    width, height = (800, 600) if t in (4, 5, 9, 11) else (1024, 768) if index % 2 == 0 else (1280, 1024)
    add("FactoryValue 15 = u16 %d" % width)
    add("FactoryValue 16 = u16 %d" % height)
    add("DisplayBrightness = u8 %d" % (80 - index))
    add("DisplayDefaultBrightness = u8 80")
    add("DisplayFactoryBrightness = u8 100")
    add("DisplayContrast = u8 50")
    add("DisplayDefaultContrast = u8 50")
    add("DisplayFactoryContrast = u8 55")
    add("KeyCount = u8 %d" % (0 if index == 15 else 48 + index))
    add("AreKeysEnabled = u32 1")
    add("KeySwitches = u8 0x%02X" % (0x05 + index))
    add("KeyMatrix = bytes 00 00 04 00 00 00 00 00 00 00 00 00 00 00 00 %02X" % index)
    add("LedCount = u8 %d" % (24 + index))
    for layer in range(4):
        add("LedMatrix %d = bytes %02X 00 00 00 fill 28 00" % (layer, 1 << layer))


def handheld(p):
    t = p.t
    p.comment("Operating elements of the handheld panel")
    p.add("HardwareValue 38 = u32 1")
    p.add("HardwareValue 39 = u32 %d" % (31000 + p.t))
    p.add("HardwareValue 40 = u32 1")
    p.add("HardwareValue 41 = u32 %d" % ((t + 1) % 2))
    p.add("HardwareValue 42 = bytes 00020000 FC010000 05020000")  # 512, 508, 517
    p.add("HardwareValue 43 = bytes 00000000 FCFFFFFF 05000000")  # 0, -4, 5
    p.add("HardwareValue 44 = u32 1")
    p.add("HardwareValue 45 = u32 %d" % (t % 2))
    p.add("HardwareValue 46 = u32 700")
    p.add("HardwareValue 47 = u32 68")
    p.add("HardwareValue 48 = u8 %d" % (t % 2))
    p.add("HardwareValue 49 = u8 %d" % ((t + 1) % 2))


def dvi(p):
    p.comment("DVI display data of channels 1 and 2, resolutions")
    p.add("FactoryValue 19 = %s" % edid_block(p.t, 1))
    p.add("FactoryValue 20 = %s" % edid_block(p.t, 2))
    p.add("FactoryValue 21 = u16 1024")
    p.add("FactoryValue 22 = u16 768")
    p.add("FactoryValue 23 = u16 1600")
    p.add("FactoryValue 24 = u16 1200")


# Every alarm id a device may read; panels keep theirs (9 and 10) in their own sections.
ALARM_IDS = range(0, 45)
# The demo device's one alarm: the bus fan kit's last fan runs too slowly.
DEMO_ALARM = 44


def alarms(p):
    if p.demo:
        p.comment("Alarms: one, the bus fan kit's last fan")
        p.add("Alarm %d = u32 1" % DEMO_ALARM)
        return
    p.comment("Alarms: neighbouring ids in opposite states")
    for aid in ALARM_IDS:
        p.add("Alarm %d = u32 %d" % (aid, (aid + p.t) % 2))


def build(t, demo=False):
    device = DEVICES[t]
    p = Profile(t, demo)
    p.add("DeviceType = u32 %d" % t)
    present = set()
    for m in device["modules"]:
        present.update(PRESENCE.get(m, ()))
    presence(p, present)
    bios_general_cpu(p, device["board"])
    system_unit(p)
    for m in device["modules"]:
        MODULES[m](p)
    if device.get("builtin_panel"):
        p.comment("The built-in panel (panel 0, never selected)")
        panel_entries(p, 0)
    if device.get("handheld"):
        handheld(p)
    dvi(p)
    alarms(p)
    for index in device["panels"]:
        panel_entries(p, index, panel=index)
    return p.text()


def main():
    """Writes the profiles; with --check only compares them with the files and lists the
    differing ones (exit code 1 when any differs)."""
    import sys
    check = "--check" in sys.argv[1:]
    # The built-in device: the richest type, with every module it can carry.
    outputs = {"type%02d.ini" % t: build(t) for t in DEVICES}
    outputs["default.ini"] = build(18, demo=True).replace("# Simulated", "# The built-in default device: simulated", 1)
    stale = []
    for name, text in outputs.items():
        path = os.path.join(HERE, name)
        if check:
            try:
                with open(path, newline="") as f:
                    if f.read() == text:
                        continue
            except OSError:
                pass
            stale.append(name)
        else:
            with open(path, "w", newline="\n") as f:
                f.write(text)
    for name in stale:
        print("out of date: sim/profiles/%s (run sim/profiles/generate.py)" % name)
    return 1 if stale else 0


if __name__ == "__main__":
    raise SystemExit(main())
