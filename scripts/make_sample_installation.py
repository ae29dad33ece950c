#!/usr/bin/env python3
"""Writes the sample installation folder (installation/ in the source tree).

The sample installation is our own small stand-in for a real installation of
the Tessary 9 tools: the standard component scripts in Comps/, the setup
engine's files in Distrib/ and Distrib/Setup/, and small placeholder files for
everything the component scripts install (Runtime/, Bde501/, Fonts/, ...).

Usage: scripts/make_sample_installation.py [--cli PATH] [--out DIR]

Every file this script knows is rewritten; other files are left alone. The
engine's start programs (Distrib/setup32.exe, Distrib/Setup/setup.exe) are not
part of it: the build puts them into its own copy of the folder,
<build>/share/vantrel/installation. The component scripts, the engine's
string file and its billboard script are then stamped with `vantrel-cli
stamp`, so their header blocks carry a fresh time stamp and checksum.

Component scripts are text in the engine's INI-like layout, one record a line,
every field followed by ",", lines ending in CR LF. The records below follow
the layouts of the element classes (elements/setup_*.h); a value must not
contain ",", and "%Name%" is a string reference that the engine's string file
Distrib/Setup/Setup.str resolves.
"""

import argparse
import os
import struct
import subprocess
import sys

ONES = "1" * 32  # selection mask: every selection
ALL_OS = "11111"
NT_ONLY = "01010"  # Windows NT 4 and Windows 2000

# --------------------------------------------------------------------------
# Placeholder files: what each one stands for. The text is repeated up to the
# size given, so that the sizes in the File records are real sizes.

PLACEHOLDERS = {
    # The setup engine, copied to every ship folder.
    "Distrib/autorun.inf": ("[autorun]\r\nopen=setup32.exe\r\nicon=setup32.exe,0\r\n", 0),
    "Distrib/Setup/Swintlen.dll": ("setup engine: English dialog resources", 1536),
    "Distrib/Setup/Swintlde.dll": ("setup engine: German dialog resources", 1536),
    "Distrib/Setup/Swintlfr.dll": ("setup engine: French dialog resources", 1536),
    "Distrib/Setup/Box.id": ("[BOXID]\r\nBoxName=Tessary 9 Runtime\r\nVersion=9.0\r\n", 0),
    # Shared system files.
    "System/tyctl32.dll": ("Tessary shared controls library", 1200),
    # The runtime's common part.
    "Common/tycomm90.dll": ("Tessary 9 common library", 1800),
    "Common/tyintl90.dll": ("Tessary 9 international support", 900),
    "Fonts/tysans.ttf": ("TrueType font Tessary Sans", 700),
    "Fonts/tyserif.ttf": ("TrueType font Tessary Serif", 700),
    # The runtime.
    "Runtime/tyrun90.dll": ("Tessary 9 runtime engine", 3000),
    "Runtime/tyvcl90.dll": ("Tessary 9 visual component library", 2500),
    "Runtime/tydb90.dll": ("Tessary 9 database access layer", 2000),
    "Runtime/tyrt90.exe": ("Tessary 9 runtime launcher", 1500),
    "Runtime/tyole90.dll": ("Tessary 9 automation server", 1100),
    "Runtime/tyrun90.hlp": ("Tessary 9 runtime help", 1300),
    "Runtime/tyrun90.reg": (
        "REGEDIT4\r\n\r\n[HKEY_CLASSES_ROOT\\.tyd]\r\n@=\"TessaryDocument\"\r\n\r\n"
        "[HKEY_CLASSES_ROOT\\TessaryDocument]\r\n@=\"Tessary Document\"\r\n",
        0,
    ),
    "Runtime/readme.txt": (
        "Tessary 9 Runtime\r\n\r\nThe runtime is installed in RUNTIME_FOLDER.\r\n"
        "Applications written with Tessary 9 need it to run.\r\n",
        0,
    ),
    # The application framework.
    "Framework/tyfw90.dll": ("Tessary application framework", 2200),
    "Framework/tyfwres.dll": ("Tessary application framework resources", 1000),
    "Framework/tyfw90.ini": ("[Framework]\r\nPath=\r\nTheme=Standard\r\n", 0),
    # The uninstaller.
    "Uninstall/tyunin32.exe": ("Tessary uninstaller", 1600),
    "Uninstall/tyunin.dll": ("Tessary uninstaller support library", 800),
    # The database engine (Bde501/IDAPI.CNF is written separately).
    "Bde501/idapi32.dll": ("database engine core", 3000),
    "Bde501/idr20009.dll": ("database engine error messages", 1200),
    "Bde501/idpdx32.dll": ("database engine Paradox driver", 1500),
    "Bde501/iddbas32.dll": ("database engine dBASE driver", 1500),
    "Bde501/idodbc32.dll": ("database engine ODBC socket", 1100),
    "Bde501/bantam.dll": ("database engine language support", 900),
    "Bde501/bdeadmin.exe": ("database engine administrator", 2000),
    "Bde501/bdeadmin.hlp": ("database engine administrator help", 1000),
    # SQL Links drivers.
    "Sql501/sqlint32.dll": ("SQL Links driver for InterBase", 1400),
    "Sql501/sqldb232.dll": ("SQL Links driver for DB2", 1400),
    "Sql501/sqlinf32.dll": ("SQL Links driver for Informix", 1400),
    "Sql501/sqlmss32.dll": ("SQL Links driver for MS SQL Server", 1400),
    "Sql501/sqlora32.dll": ("SQL Links driver for Oracle", 1400),
    "Sql501/sqlssc32.dll": ("SQL Links driver for Sybase CT-Library", 1400),
    "Sql501/sqlsyb32.dll": ("SQL Links driver for Sybase DB-Library", 1400),
    # The proofreading engine; the dictionaries are added below.
    "Dict/lx9eng.dll": ("proofreading engine", 2000),
    "Dict/lx9eng.hlp": ("proofreading engine help", 700),
}

IDAPI_CNF = (
    "; Default database engine configuration of the sample installation.\r\n"
    "; A real installation holds the engine's binary configuration file here.\r\n"
    "[DRIVERS]\r\nPARADOX=idpdx32.dll\r\nDBASE=iddbas32.dll\r\n"
    "[SYSTEM]\r\nLANGDRIVER=ascii\r\nLOCAL SHARE=FALSE\r\nMAXFILEHANDLES=48\r\n"
    "[DATABASES]\r\nDBDEMOS=<BDE>\\Demos\r\n"
)

# Proofreading languages: script name, display name, codes it installs.
LANGUAGES = [
    ("Afrikaans", "Afrikaans", ["AF"]),
    ("Catalan", "Catalan", ["CA"]),
    ("Czech", "Czech", ["CZ"]),
    ("Danish", "Danish", ["DK"]),
    ("Dutch", "Dutch", ["NL"]),
    ("English", "English", ["CE", "UK", "US", "OZ"]),
    ("Finnish", "Finnish", ["SU"]),
    ("French", "French", ["CF", "FR"]),
    ("Galician", "Galician", ["GA"]),
    ("German", "German", ["DE", "SD"]),
    ("Greek", "Greek", ["GR"]),
    ("Hungarian", "Hungarian", ["MA"]),
    ("Icelandic", "Icelandic", ["IS"]),
    ("Italian", "Italian", ["IT"]),
    ("Norwegian", "Norwegian", ["NO"]),
    ("Polish", "Polish", ["PL"]),
    ("Portuguese", "Portuguese", ["BR"]),
]

for _script, _name, _codes in LANGUAGES:
    for _code in _codes:
        PLACEHOLDERS["Dict/lx9%s.dic" % _code.lower()] = (
            "%s proofreading dictionary (%s)" % (_name, _code),
            600,
        )


def placeholder_bytes(name, text, size):
    if size == 0:
        return text.encode("cp1252")
    line = ("%s - placeholder of the sample installation (%s)\r\n" % (text, name)).encode(
        "cp1252"
    )
    data = line * (size // len(line) + 1)
    return data[:size]


def silent_wav(samples=800, rate=8000):
    """A short, valid, silent 8-bit mono PCM sound."""
    data = b"\x80" * samples
    fmt = struct.pack("<4sIHHIIHH", b"fmt ", 16, 1, 1, rate, rate, 1, 8)
    body = b"WAVE" + fmt + struct.pack("<4sI", b"data", len(data)) + data
    return b"RIFF" + struct.pack("<I", len(body)) + body


# --------------------------------------------------------------------------
# Records. Each builder returns the record text of one element type; `tag`
# names the component that owns the element.


def rec(*fields):
    for f in fields:
        if "," in str(f):
            raise ValueError("a record field holds a comma: %r" % (f,))
    return "".join("%s," % f for f in fields)


class Component:
    def __init__(self, name, module_type, display, dest, text9="", deps="", subs="",
                 options="21", flag5="1", number4="0", kind="0", level=0, install="111",
                 identification=None):
        self.name = name
        self.module_type = module_type
        self.display = display
        self.dest = dest
        self.text9 = text9
        self.deps = deps
        self.subs = subs
        self.options = options
        self.flag5 = flag5
        self.number4 = number4
        self.kind = kind
        self.level = level
        self.install = install
        # Section name of the component line; "Identification" alone lets the
        # line's kind give the level.
        self.identification = identification or "Identification.%d" % level
        self.records = {}  # keyword -> list of record lines
        self.size = 0

    def line(self):
        return rec(self.name, self.install, self.dest, self.number4, self.flag5, "11111",
                   self.size, self.display, self.text9, "", "", self.subs, self.deps,
                   self.kind, "", self.options, ONES)

    def add(self, keyword, record):
        self.records.setdefault(keyword, []).append(record)

    # File (13): source name below the installation, target folder and name.
    def file(self, source, target_dir, target=None, overwrite=2, share=0, os_mask=ALL_OS,
             attributes="100000", remove=1, mode="644"):
        size = file_size(source)
        self.size += size
        self.add("File", rec(self.name, "<S>", source, target_dir,
                             target or base_name(source), size, attributes, overwrite,
                             os_mask, share, "", 0, 1, remove, ONES, 0, 0, 0, mode))

    # TTFFile (2): a font, registered under its face name.
    def font(self, source, face):
        size = file_size(source)
        self.size += size
        self.add("TTFFile", rec(self.name, "<S>", source, "<F>", base_name(source), size,
                                "100000", 1, ALL_OS, 100, "", 0, 1, 0, ONES, 0, 0, 0, "644",
                                face))

    def runtime_file(self, target_dir, target, option=1):
        self.add("RuntimeFile", rec(self.name, target_dir, target, ALL_OS, option, ONES, 0,
                                    "644"))

    def folder(self, target_dir, name="", remove=1, mode="755"):
        self.add("Dir", rec(self.name, target_dir, name, ALL_OS, "100000", 1, remove, ONES, 0,
                            mode))

    def delete_file(self, target_dir, target):
        self.add("DeleteFile", rec(self.name, target_dir, target, ALL_OS, 1, ONES, 0))

    def backup_file(self, target_dir, target):
        self.add("BackFile", rec(self.name, target_dir, target, ALL_OS, ONES, 0, "644"))

    def reg_key(self, root, key, value_name, data, value_type="String", os_mask=ALL_OS,
                uninstall=1, remove_subkeys=0, restore=0):
        self.add("RegistryKeys", rec(self.name, root, key, value_name, data, value_type,
                                     os_mask, uninstall, remove_subkeys, ONES, 0, "", restore))

    def reg_file(self, target_dir, target):
        self.add("RegFile", rec(self.name, target_dir, target, ALL_OS, ONES, 0, "644"))

    def self_register(self, target_dir, target, os_mask=ALL_OS):
        self.add("SelfRegister", rec(self.name, target_dir, target, os_mask, 1, ONES, 0,
                                     "644"))

    def runtime_reg(self, from_key, to_key, what="KEY"):
        self.add("RuntimeRegEntry", rec(self.name, from_key, to_key, ALL_OS, 0, what, ONES, 0))

    def shortcut(self, folder, name, target_dir, target, arguments="", working="",
                 icon=""):
        self.add("Shortcut", rec(self.name, folder, name, target_dir, target, ALL_OS, 0,
                                 arguments, working, icon, "", 0, 1, ONES, 0, "644"))

    def execute(self, target_dir, target, parameters, method=1, os_mask=ALL_OS):
        self.add("Execute", rec(self.name, target_dir, target, parameters, os_mask, method, 1,
                                ONES, 0, "755"))

    def uninstall_exe(self, target_dir, target, parameters, method=1):
        self.add("UninstallExe", rec(self.name, target_dir, target, parameters, ALL_OS, method,
                                     ONES, 0))

    def custom_dll(self, target_dir, target, argument, no_install_call=0):
        self.add("CustomDll", rec(self.name, target_dir, target, argument, ALL_OS, 1, ONES, 0,
                                  no_install_call))

    def uninstall_dll(self, target_dir, target, argument):
        self.add("UninstallDLL", rec(self.name, target_dir, target, argument, ALL_OS, ONES, 0))

    def cust_file(self, target_dir, target, search, replace):
        self.add("CustFile", rec(self.name, target_dir, target, search, replace, ALL_OS, 1,
                                 ONES, 0))

    def profile(self, target_dir, target, section, key, value, restore=1):
        self.add("Profle", rec(self.name, target_dir, target, section, key, value, ALL_OS, "",
                               1, restore, ONES, 0))


# Order of the element sections in a script: the order the generator writes.
KEYWORDS = ["BackFile", "Dir", "TTFFile", "Profle", "CustFile", "RegFile", "Shortcut", "Execute",
            "CustomDll", "RuntimeFile", "RuntimeRegEntry", "DeleteFile", "SelfRegister", "File",
            "UninstallExe", "UninstallDLL", "RegistryKeys"]

OUT = None  # the installation folder being written


def base_name(path):
    return path.replace("\\", "/").rsplit("/", 1)[-1]


def file_size(source):
    path = os.path.join(OUT, *source.split("\\"))
    return os.path.getsize(path)


def script_text(components):
    lines = []
    sections = []
    for c in components:
        if c.identification not in sections:
            sections.append(c.identification)
    for section in sections:
        if lines:
            lines.append("")
        lines.append("[%s]" % section)
        lines.extend(c.line() for c in components if c.identification == section)
    for keyword in KEYWORDS:
        levels = sorted({c.level for c in components if keyword in c.records})
        for level in levels:
            lines.append("")
            lines.append("[%s%d]" % (keyword, level))
            for c in components:
                if c.level == level:
                    lines.extend(c.records.get(keyword, []))
    lines.append("")
    lines.append("[Strings]")
    lines.append("Setup.str")
    return "\r\n".join(lines)


# --------------------------------------------------------------------------
# The standard components.

KEY_TESSARY = "Software\\Oxbel\\Tessary\\9.0"
KEY_BDE = "Software\\Borland\\Database Engine"
KEY_LEXICON = "Software\\Oxbel\\Shared\\Lexicon\\9.0"
HKLM = "HKEY_LOCAL_MACHINE"

STRINGS = [
    ("DistribName", "Setup Engine"),
    ("DistribDesc", "Files the setup needs while it runs"),
    ("TY9CommonName", "Tessary 9 Common Files"),
    ("TY9CommonDesc", "Libraries and fonts shared by all Tessary 9 programs"),
    ("TY9RunName", "Tessary 9 Runtime"),
    ("TY9RunDesc", "The runtime that Tessary 9 applications need"),
    ("TY9RunVersion", "9.0.1"),
    ("TY9RunShortcuts", "Tessary 9 Runtime"),
    ("TY9FrameworkName", "Tessary Application Framework"),
    ("TY9FrameworkDesc", "Forms and reports of the application framework"),
    ("UninstallName", "Uninstaller"),
    ("UninstallDesc", "Removes the application again"),
    ("UninstallShortcut", "Uninstall"),
    ("BDEName", "Borland Database Engine"),
    ("BDEDesc", "Local database engine with Paradox and dBASE drivers"),
    ("BDEAdminName", "BDE Administrator"),
    ("BDEAdminDesc", "Program to configure the database engine"),
    ("LX9EngineName", "Writing Tools"),
    ("LX9EngineDesc", "Spelling and grammar checking"),
]

SQL_DRIVERS = [
    # script, library, engine driver name, display name
    ("SQL_db", "sqldb232.dll", "DB2", "SQL Links for DB2"),
    ("SQL_inf", "sqlinf32.dll", "INFORMIX", "SQL Links for Informix"),
    ("SQL_int", "sqlint32.dll", "INTRBASE", "SQL Links for InterBase"),
    ("SQL_mss", "sqlmss32.dll", "MSSQL", "SQL Links for MS SQL Server"),
    ("SQL_ora", "sqlora32.dll", "ORACLE", "SQL Links for Oracle"),
    ("SQL_ssc", "sqlssc32.dll", "SYBASE CT", "SQL Links for Sybase CT-Library"),
    ("SQL_syb", "sqlsyb32.dll", "SYBASE", "SQL Links for Sybase DB-Library"),
]


def build_scripts():
    """Script file name -> (module type, list of components)."""
    scripts = {}

    # The setup engine's own component: its shared control library, its log
    # and the clean-up of an earlier run.
    c = Component("Distrib", "KVZ-SPLIT", "%DistribName%", "<D>", "%DistribDesc%",
                  options="4")
    c.file("System\\tyctl32.dll", "<Y>", share=100, overwrite=2, remove=0)
    c.folder("<D>")
    c.runtime_file("<W>\\Oxbel", "Setup.log")
    c.backup_file("<W>", "win.ini")
    c.delete_file("<T>", "~oxsetup.tmp")
    c.reg_key(HKLM, "Software\\Oxbel\\Setup\\9.0", "LogFile", "<L>")
    scripts["Distrib.kvz"] = ("KVZ-SPLIT", [c])

    # Shared libraries and fonts of the runtime; only reached through the
    # runtime's dependency list, so it is loaded by its name.
    c = Component("TY9_Common", "KVZ", "%TY9CommonName%", "<Y>", "%TY9CommonDesc%")
    c.file("Common\\tycomm90.dll", "<Y>", share=100)
    c.file("Common\\tyintl90.dll", "<Y>", share=100)
    c.font("Fonts\\tysans.ttf", "Tessary Sans")
    c.font("Fonts\\tyserif.ttf", "Tessary Serif")
    c.self_register("<Y>", "tycomm90.dll")
    c.reg_key(HKLM, KEY_TESSARY + "\\Common", "Path", "<Y>")
    scripts["TY9_Common.kvz"] = ("KVZ", [c])

    c = Component("TY9Run_Program", "KVZ-SPLIT", "%TY9RunName%", "<PRT>", "%TY9RunDesc%",
                  deps="TY9_Common")
    c.folder("<PRT>")
    for name in ("tyrun90.dll", "tyvcl90.dll", "tydb90.dll", "tyrt90.exe", "tyrun90.hlp",
                 "tyrun90.reg"):
        c.file("Runtime\\" + name, "<PRT>")
    c.file("Runtime\\tyole90.dll", "<Y>", share=100)
    c.file("Runtime\\readme.txt", "<PRT>", overwrite=0)
    c.reg_file("<PRT>", "tyrun90.reg")
    c.self_register("<Y>", "tyole90.dll", os_mask=NT_ONLY)
    c.reg_key(HKLM, KEY_TESSARY + "\\Runtime", "Path", "<PRT>")
    c.reg_key(HKLM, KEY_TESSARY + "\\Runtime", "Version", "%TY9RunVersion%")
    c.reg_key(HKLM, KEY_TESSARY + "\\Runtime", "Shared", "1", "DWORD")
    c.runtime_reg("HKEY_CURRENT_USER\\Software\\Oxbel\\Tessary\\8.0\\Options",
                  "HKEY_CURRENT_USER\\" + KEY_TESSARY + "\\Options")
    c.shortcut("<O>\\Tessary 9 Runtime", "Tessary 9 Runtime Help", "<PRT>", "tyrun90.hlp")
    c.profile("<W>", "win.ini", "Tessary", "RuntimeFolder", "<PRT>")
    c.cust_file("<PRT>", "readme.txt", "RUNTIME_FOLDER", "<PRT>")
    c.execute("<PRT>", "tyrt90.exe", "/register", method=4)
    c.uninstall_exe("<PRT>", "tyrt90.exe", "/unregister", method=4)
    scripts["TY9Run_Program.kvz"] = ("KVZ-SPLIT", [c])

    c = Component("TY9_Framework", "KVZ-SPLIT", "%TY9FrameworkName%", "<PRT>",
                  "%TY9FrameworkDesc%", deps="TY9Run_Program")
    c.file("Framework\\tyfw90.dll", "<PRT>")
    c.file("Framework\\tyfwres.dll", "<PRT>")
    c.file("Framework\\tyfw90.ini", "<PRT>", overwrite=1)
    c.profile("<PRT>", "tyfw90.ini", "Framework", "Path", "<PRT>", restore=0)
    c.custom_dll("<PRT>", "tyfw90.dll", "REGISTER")
    c.uninstall_dll("<PRT>", "tyfw90.dll", "UNREGISTER")
    c.reg_key(HKLM, KEY_TESSARY + "\\Framework", "Path", "<PRT>")
    scripts["TY9_Framework.kvz"] = ("KVZ-SPLIT", [c])

    # The component line stands in "[Identification]": its kind (0) gives
    # the level.
    c = Component("Uninstall", "KVZ", "%UninstallName%", "<W>", "%UninstallDesc%",
                  identification="Identification")
    c.file("Uninstall\\tyunin32.exe", "<W>", remove=0)
    c.file("Uninstall\\tyunin.dll", "<W>", remove=0)
    c.shortcut("<G>", "%UninstallShortcut%", "<W>", "tyunin32.exe", arguments="<L>",
               working="<W>")
    c.reg_key(HKLM, "Software\\Oxbel\\Setup\\9.0\\Uninstall", "UninstallString",
              "<W>\\tyunin32.exe <L>", remove_subkeys=1)
    c.uninstall_exe("<W>", "tyunin32.exe", "/silent <L>")
    scripts["Uninstall.kvz"] = ("KVZ", [c])

    # The database engine with its administrator as a sub-component.
    bde = Component("OnDmndBDE", "KVZ-SPLIT", "%BDEName%", "<BDE>", "%BDEDesc%",
                    subs="BDE_Admin")
    bde.folder("<BDE>", remove=0)
    for name in ("idapi32.dll", "idr20009.dll", "idpdx32.dll", "iddbas32.dll", "idodbc32.dll",
                 "bantam.dll"):
        bde.file("Bde501\\" + name, "<BDE>", share=100)
    bde.reg_key(HKLM, KEY_BDE, "DLLPATH", "<BDE>", restore=1)
    bde.reg_key(HKLM, KEY_BDE, "CONFIGFILE01", "<BDE>\\IDAPI.CNF", restore=1)
    admin = Component("BDE_Admin", "KVZ-SPLIT", "%BDEAdminName%", "<BDE>", "%BDEAdminDesc%",
                      level=1, install="110")
    admin.file("Bde501\\bdeadmin.exe", "<BDE>")
    admin.file("Bde501\\bdeadmin.hlp", "<BDE>")
    admin.shortcut("<O>\\Tessary 9 Tools", "BDE Administrator", "<BDE>", "bdeadmin.exe",
                   working="<BDE>")
    scripts["OnDmndBDE.kvz"] = ("KVZ-SPLIT", [bde, admin])

    # SQL Links: each driver needs the database engine, which is loaded
    # before them, so these scripts need not follow their references.
    for script, library, driver, display in SQL_DRIVERS:
        c = Component(script, "KVZ", display, "<BDE>", "", deps="OnDmndBDE")
        c.file("Sql501\\" + library, "<BDE>", share=100)
        c.reg_key(HKLM, KEY_BDE + "\\Settings\\DRIVERS\\" + driver + "\\INIT", "DLL32",
                  library.upper())
        scripts[script + ".kvz"] = ("KVZ", [c])

    # The proofreading engine, named by every language's dependency list.
    c = Component("LX9_Engine", "KVZ", "%LX9EngineName%", "<PRT>\\Lex", "%LX9EngineDesc%")
    c.folder("<PRT>\\Lex")
    c.file("Dict\\lx9eng.dll", "<PRT>\\Lex")
    c.file("Dict\\lx9eng.hlp", "<PRT>\\Lex")
    c.reg_key(HKLM, KEY_LEXICON, "Path", "<PRT>\\Lex")
    scripts["LX9_Engine.kvz"] = ("KVZ", [c])

    for script, name, codes in LANGUAGES:
        c = Component("LX9_" + script, "KVZ-SPLIT", "%LX9" + script + "Name%", "<PRT>\\Lex",
                      deps="LX9_Engine")
        for code in codes:
            dic = "lx9%s.dic" % code.lower()
            c.file("Dict\\" + dic, "<PRT>\\Lex")
            c.reg_key(HKLM, KEY_LEXICON + "\\" + code, "Dictionary", "<PRT>\\Lex\\" + dic)
        scripts["LX9_%s.kvz" % script] = ("KVZ-SPLIT", [c])
        STRINGS.append(("LX9%sName" % script, "%s Writing Tools" % name))

    return scripts


# --------------------------------------------------------------------------


def write(path, data):
    os.makedirs(os.path.dirname(path), exist_ok=True)
    with open(path, "wb") as f:
        f.write(data)


def main():
    global OUT
    here = os.path.dirname(os.path.abspath(__file__))
    source = os.path.dirname(here)
    parser = argparse.ArgumentParser(description=__doc__.splitlines()[0])
    parser.add_argument("--cli", default=os.path.join(source, "build", "vantrel-cli"),
                        help="the vantrel-cli that stamps the scripts")
    parser.add_argument("--out", default=os.path.join(source, "installation"))
    args = parser.parse_args()
    OUT = args.out
    if not os.access(args.cli, os.X_OK):
        sys.exit("make_sample_installation: %s is not a program; build vantrel-cli first "
                 "or name it with --cli" % args.cli)

    for name, (text, size) in PLACEHOLDERS.items():
        write(os.path.join(OUT, *name.split("/")), placeholder_bytes(name, text, size))
    write(os.path.join(OUT, "Bde501", "IDAPI.CNF"), IDAPI_CNF.encode("cp1252"))
    write(os.path.join(OUT, "Distrib", "Setup", "Setup.wav"), silent_wav())
    write(os.path.join(OUT, "MySetup", ".keep"), b"")

    stamped = []  # (path, module type)
    for script, (module_type, components) in build_scripts().items():
        path = os.path.join(OUT, "Comps", script)
        write(path, script_text(components).encode("cp1252"))
        stamped.append((path, module_type))

    strings = ["[Strings]"] + ["%s = %s" % pair for pair in STRINGS]
    path = os.path.join(OUT, "Distrib", "Setup", "Setup.str")
    write(path, "\r\n".join(strings).encode("cp1252"))
    stamped.append((path, "STRINGFILE"))

    billboards = [
        "[Billboards]",
        "Count=2",
        "Delay=8",
        "",
        "[Billboard1]",
        "Title=%TY9RunName%",
        "Text=Thank you for installing this Tessary application.",
        "",
        "[Billboard2]",
        "Title=%BDEName%",
        "Text=The database engine is set up with the application.",
    ]
    path = os.path.join(OUT, "Distrib", "Setup", "BBoards.bil")
    write(path, "\r\n".join(billboards).encode("cp1252"))
    stamped.append((path, "BILBOARD"))

    for path, module_type in stamped:
        subprocess.run([args.cli, "stamp", path, "--module-type", module_type,
                        "--version", "9.001"], check=True)


if __name__ == "__main__":
    main()
