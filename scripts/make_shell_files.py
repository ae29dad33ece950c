#!/usr/bin/env python3
"""Writes the manual pages and the shell completions from the help texts the
programs print, so that they never tell something else than --help:

  make_shell_files.py --cli build/vantrel-cli [--wizard build/vantrel] --out DIR

DIR/man1/vantrel-cli.1 (one page, a section per command), DIR/man1/vantrel.1
(when the wizard is given), DIR/bash-completion/vantrel-cli and
DIR/zsh/_vantrel-cli.
"""
import argparse
import gzip
import os
import re
import subprocess


def run(program, *args, env=None):
    return subprocess.run([program, *args], check=True, capture_output=True, text=True,
                          env=env).stdout


def roff(text):
    """Plain text as roff: backslashes, leading dots and quotes made safe."""
    text = text.replace("\\", "\\e").replace("-", "\\-")
    return "\n".join(("\\&" + l) if l[:1] in (".", "'") else l for l in text.split("\n"))


def commands_of(cli_help):
    """(name, usage) of every command in 'vantrel-cli --help'."""
    block = cli_help.split("\ncommands:\n", 1)[1].split("\n\n", 1)[0]
    found = []
    for line in block.split("\n"):
        if line.startswith("  ") and not line.startswith("      "):
            usage = line.strip()
            found.append((usage.split()[0], usage))
    return found


def options_of(command_help):
    """The option names listed in 'COMMAND --help', common ones included."""
    names = []
    for line in command_help.split("\n"):
        for name in re.findall(r"(?:^|[ ,])(--?[a-z][a-z-]*)", line if line.startswith("  -") else ""):
            if name not in names:
                names.append(name)
    return names


def manual(name, version, summary, sections):
    out = [f'.TH {name.upper()} 1 "" "{name} {version}" "User Commands"',
           ".SH NAME", f"{roff(name)} \\- {roff(summary)}"]
    for title, body in sections:
        out += [f".SH {title}", ".nf", roff(body.rstrip("\n")), ".fi"]
    return "\n".join(out) + "\n"


def write_page(path, text):
    """The page, and beside it PAGE.gz as it is installed (no name or time in
    the gzip header, so that two builds give the same bytes)."""
    with open(path, "w") as f:
        f.write(text)
    with open(path + ".gz", "wb") as raw:
        with gzip.GzipFile(filename="", mode="wb", compresslevel=9, fileobj=raw, mtime=0) as f:
            f.write(text.encode())


def main():
    parser = argparse.ArgumentParser()
    parser.add_argument("--cli", required=True)
    parser.add_argument("--wizard")
    parser.add_argument("--out", required=True)
    a = parser.parse_args()

    cli_help = run(a.cli, "--help")
    version = run(a.cli, "--version").split()[-1]
    commands = commands_of(cli_help)
    helps = {name: run(a.cli, name, "--help") for name, _ in commands}

    sections = [("SYNOPSIS", cli_help.split("\n\n", 1)[1].split("\ncommands:", 1)[0]),
                ("OPTIONS", cli_help.split("\noptions:\n", 1)[1].split("\n\n", 1)[0])]
    for name, _ in commands:
        body = helps[name].split("\ncommon options:\n", 1)[0]
        sections.append((f'"COMMAND {name.upper()}"', body))
    sections.append(("EXIT STATUS", cli_help.rsplit("\n\n", 1)[1]))
    sections.append(("ENVIRONMENT",
                     "VANTREL_MACHINE_REG, VANTREL_USER_REG  the hive files of the registry store\n"
                     "XDG_CONFIG_HOME, HOME                   where the user hive is kept\n"
                     "SOURCE_DATE_EPOCH                       the time a build records (seconds)\n"
                     "COLUMNS                                 the width of the progress bar"))
    sections.append(("SEE ALSO", "vantrel(1)"))
    man1 = os.path.join(a.out, "man1")
    os.makedirs(man1, exist_ok=True)
    summary = cli_help.split("\n", 1)[0].split(" - ", 1)[1]
    write_page(os.path.join(man1, "vantrel-cli.1"), manual("vantrel-cli", version, summary, sections))

    if a.wizard:
        env = dict(os.environ, QT_QPA_PLATFORM="offscreen")
        # Qt names the program by the path it was started with.
        wizard_help = run(a.wizard, "--help", env=env).replace(a.wizard, "vantrel")
        write_page(os.path.join(man1, "vantrel.1"),
                   manual("vantrel", version, "the setup wizard for Tessary 9 applications",
                          [("SYNOPSIS", wizard_help), ("SEE ALSO", "vantrel-cli(1)")]))

    names = " ".join(name for name, _ in commands)
    common = "--install-location -q --quiet -v --verbose --remember -h --help --version"
    bash = ["# bash completion for vantrel-cli; written by scripts/make_shell_files.py",
            "_vantrel_cli() {",
            "    local cur=${COMP_WORDS[COMP_CWORD]} command='' i",
            "    for ((i = 1; i < COMP_CWORD; i++)); do",
            "        case ${COMP_WORDS[i]} in",
            "            --install-location) ((i++)) ;;",
            "            -*) ;;",
            "            *) command=${COMP_WORDS[i]}; break ;;",
            "        esac",
            "    done",
            "    local options",
            "    case $command in",
            f"        '') COMPREPLY=($(compgen -W '{names} {common}' -- \"$cur\")); return ;;"]
    for name, _ in commands:
        bash.append(f"        {name}) options='{' '.join(options_of(helps[name]))}' ;;")
    bash += ["    esac",
             "    if [[ $cur == -* ]]; then",
             "        COMPREPLY=($(compgen -W \"$options\" -- \"$cur\"))",
             "    else",
             "        compopt -o filenames 2>/dev/null",
             "        COMPREPLY=($(compgen -f -X '!*.[zZ][lL][tT]' -- \"$cur\") $(compgen -d -- \"$cur\"))",
             "    fi",
             "}",
             "complete -F _vantrel_cli vantrel-cli", ""]
    os.makedirs(os.path.join(a.out, "bash-completion"), exist_ok=True)
    with open(os.path.join(a.out, "bash-completion", "vantrel-cli"), "w") as f:
        f.write("\n".join(bash))

    zsh = ["#compdef vantrel-cli", "# zsh completion for vantrel-cli; written by scripts/make_shell_files.py",
           "_vantrel-cli() {",
           "    local command=${words[(r)(" + "|".join(n for n, _ in commands) + ")]}",
           "    if [[ -z $command ]]; then",
           "        _arguments '--install-location[installation folder]:folder:_files -/' \\",
           "            '(-q --quiet)'{-q,--quiet}'[no progress and no notes]' \\",
           "            '(-v --verbose)'{-v,--verbose}'[more detail]' '--remember[add to the recent list]' \\",
           "            '--help[help]' '--version[version]' '1:command:(" + names + ")'",
           "        return",
           "    fi",
           "    local -a options",
           "    case $command in"]
    for name, _ in commands:
        zsh.append(f"        {name}) options=({' '.join(options_of(helps[name]))}) ;;")
    zsh += ["    esac",
            "    if [[ $PREFIX == -* ]]; then",
            "        compadd -a options",
            "    else",
            "        _files -g '*.(zlt|ZLT)' || _files -/",
            "    fi",
            "}",
            "_vantrel-cli \"$@\"", ""]
    os.makedirs(os.path.join(a.out, "zsh"), exist_ok=True)
    with open(os.path.join(a.out, "zsh", "_vantrel-cli"), "w") as f:
        f.write("\n".join(zsh))


if __name__ == "__main__":
    main()
