// What nvc --help prints: every command and option, how entries are named, the methods, the
// exit codes, and commands an administrator would copy.
#pragma once

constexpr char kHelp[] =
    R"(nvc: the console program of Norvexa. It shreds what the program would: each file is
overwritten before it is removed.

Commands
  nvc list                      the catalogue's entries, with their numbers
  nvc preview WHAT...           what a shred would remove; nothing is touched
  nvc shred WHAT... [OPTIONS]   shreds it; steps and progress go to standard error
  nvc keep list                 the keep lists: sites whose cookies stay, places no run touches
  nvc keep add|remove cookie HOST
  nvc keep add|remove path PATH
  nvc schedule add daily|weekly|logon [--time HH:MM] [--day DAY] WHAT... [OPTIONS]
                                a task of the Windows Task Scheduler that runs
                                "nvc shred WHAT... OPTIONS --quiet" as you, daily or weekly at
                                the time (12:00 unless given; weekly on Monday unless --day),
                                or when you log on; it replaces the one there before
  nvc schedule list             the scheduled run, if there is one
  nvc schedule remove           removes it
  nvc --help, -h, /?            this help

WHAT to shred
  ENTRY                         an entry as nvc list shows it ("Mozilla Firefox: History"),
                                its number, or its name alone ("Cookies" is Internet
                                Explorer's, the first of that name); any case
  --selection                   the entries and user-defined items the program has checked;
                                saved passwords only when named
  --free-space X:               the free space of a drive
  --items "FOLDER\<PATTERNS><SubFolder:Yes|No>"
                                files of a folder, as the program's user-defined items; one
                                that takes every file of a drive or of the Windows, system,
                                profile or Program Files folder is refused unless
                                --allow-system-folders is given

OPTIONS of shred
  --method gutmann|dod7|dod3|random|zero
                                Gutmann (35 passes), DoD 5200.28-STD (7), DoD 5220.22-M (3),
                                pseudo-random (1) or zeroes (1), for this run only; without it
                                the program's method
  --quiet                       no steps and no progress on standard error
  --report FILE                 one more report of the run: HTML for .htm or .html, JSON else

Settings an organisation locks by Group Policy hold here too: a locked method is used whatever
--method says, and with the entries or the items locked only --selection names them.

Exit codes
  0  done
  1  partly done: an entry was skipped or a file could not be erased
  2  bad usage or a setting the organisation locked; nothing was touched
  3  cancelled with Ctrl+C
  4  another shred run was going on (the program's or nvc's); nothing was touched
  5  the Task Scheduler could not be reached or refused the task

Names are written as the system spells them: UTF-16 to a console, UTF-8 when the output is
redirected.

Examples
  nvc shred --selection --quiet --report C:\Reports\last.html
  nvc shred "Temporary Files" "Mozilla Firefox: Cache" --method dod3
  nvc schedule add daily --time 21:00 --selection
)";
