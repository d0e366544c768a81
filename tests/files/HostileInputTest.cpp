// Files and names a new user brings, each through the programs as a whole process in a shell of its own.
#include <gtest/gtest.h>

#include <filesystem>
#include <string>
#include <unistd.h>
#include <vector>

#include "support/ProgramRun.h"

namespace {

namespace fs = std::filesystem;
struct Case {
    const char* what;
    const char* script;  // /bin/sh in a fresh folder; exit 77: cannot be set up on this machine
    int status;
    std::vector<std::string> shown;  // each in standard output or standard error
    const char* absent = "";
};

// $CLI, $WIN (empty where not built) the programs, $E the examples, $K known-side replies, $(line N VALUE) them with
// line N replaced; as_user runs a command as a user whom permissions bind (nobody for root), $M a copy of $CLI.
constexpr const char* prelude =
    "K=$E/known-side.replies; line() { sed \"$1s/.*/$2/\" $K; }; cp $CLI m; M=$PWD/m; cp $K k; chmod -R a+rX .; "
    "if [ $(id -u) = 0 ]; then as_user() { su nobody -s /bin/sh -c \"$*\"; }; else as_user() { sh -c \"$*\"; }; fi; "
    "big() { awk 'NR == 1 { print; next } NR == 2 { for (i = 0; i < 300000; i++) print }' $E/campaign.csv > big.csv; }; ";

const Case cases[] = {
    {"a field book named as the export", "cp $E/field-book.csv b.csv; head -n 16 $K | $CLI --field-book b.csv --export ./b.csv; "
     "s=$?; cmp -s b.csv $E/field-book.csv && echo untouched; exit $s", 4, {"这是输入文件", "untouched"}, "Xa"},
    {"a campaign named through a link as the PDF, and as the observations saved", "cp $E/campaign.csv c.csv; ln -s c.csv l.pdf; "
     "$CLI --observations c.csv --pdf l.pdf; $CLI --observations c.csv --save-observations ./c.csv", 4, {"l.pdf：这是输入", "./c.csv：这是输入"}},
    {"a field book named as the reduction's observation file",
     "cp $E/field-book.csv b.csv; $CLI reduce b.csv --save-observations b.csv; s=$?; cmp -s b.csv $E/field-book.csv && echo untouched; exit $s",
     4, {"这是输入文件", "untouched"}},
    {"a name with line breaks in a drawing",
     "(head -n 2 $E/campaign.csv; printf 'Q9,1000,1000,1010,1175,,,,,A,\"P\\n0\\nLINE\",P2,,B,' ; "
     "sed -n 2p $E/campaign.csv | cut -d, -f15-) > c.csv; $CLI --observations c.csv --row Q9 --export q.dxf > /dev/null; "
     "s=$?; test -e q.dxf || echo no drawing; exit $s", 4, {"P\\x0a0\\x0aLINE", "no drawing"}},
    {"formulas in the export, numbers untouched",
     "line 11 '=1+2' | $CLI --export r.csv > /dev/null && grep -c \"^'=1+2,\" r.csv && grep -c '^P2,' r.csv", 0, {"1\n1\n"}},
    {"formulas in the batch results, negative numbers untouched",
     "sed 's/^Q1 known side/@SUM(1)/; s/,P2,/,-P2,/' $E/campaign.csv > c.csv; $CLI batch c.csv -o o.csv 2> /dev/null; "
     "grep -c \"^1,'@SUM(1),\" o.csv; grep -q \",'-P2,\" o.csv && echo name guarded; grep -q ',-[0-9]' o.csv && "
     "! grep -q \",'-[0-9]\" o.csv && echo numbers kept", 0, {"1\nname guarded\nnumbers kept"}},
    {"escape sequences in a name on the terminal",
     "line 11 \"$(printf 'P\\033]0;title\\007\\033[2J')\" | $CLI 2>&1 | tee out | grep -c \"$(printf '\\033')\"; "
     "grep -q 'P\\\\x1b]0;title\\\\x07' out && echo escaped", 0, {"0\nescaped"}},
    {"a read-only folder refused before the first prompt",
     "mkdir ro; chmod 555 ro; as_user \"$M --export $PWD/ro/x.csv < $PWD/k\"", 4, {"ro 中创建文件（没有写入权限）"}, "Xa"},
    {"a writable file in a folder the user may not write",
     "mkdir d; echo old > d/x.csv; chmod 666 d/x.csv; chmod 755 d; [ $(id -u) = 0 ] || chmod 555 d; "
     "as_user \"$M --export $PWD/d/x.csv < $PWD/k\"; s=$?; cat d/x.csv; exit $s", 4, {"中创建文件（没有写入权限）", "old"}, "Xa"},
    {"the minus sign U+2212", "line 1 '\xE2\x88\x92""1000' | $CLI --json", 0, {"\" -1000.000\""}, "不是数值"},
    {"a no-break space named", "line 17 '44.13\xC2\xA0""120' | $CLI", 3, {"U+00A0 不换行空格"}},
    {"a reply file with a byte-order mark", "(printf '\\357\\273\\277'; cat $K) | $CLI --json", 0, {"\"Text1\": \" 1000.000\""},
     "不是数值"},
    {"a reply file in GB 18030", "line 11 东山 | iconv -t GB18030 | $CLI --json", 0, {"\"东山\""}, "\xEF\xBF\xBD"},
    {"a reply file in no encoding", "line 11 \"$(printf 'P\\377\\377')\" | $CLI", 5, {"第 11 行第 2 个字节起"}, "Xa"},
    {"an angle of 0 warned, computed, in the terminal and the batch", "line 17 -0 | $CLI > /dev/null || exit 9; "
     "sed '2s/,44.13120,/,1e-300,/' $E/campaign.csv > c.csv; $CLI batch c.csv -o o.csv", 3,
     {"b(1) 的输入 \"-0\" 不是大于 0°", "第 1 行：注意：b(1) 的输入 \"1e-300\""}},
    {"the batch ends with a summary, rows numbered alike",
     "$CLI batch $E/campaign.csv -o o.csv 2> err; s=$?; cat err; n=$(sed -n 's/.*第一个：第 \\([0-9]*\\) 行.*/\\1/p' err); "
     "grep -c \"^$n,Q5 mixed,.*不能计算最弱边相对中误差\" o.csv; exit $s", 3, {"6 行中有 2 行中止；第一个：第 5 行：", "\n1\n"}},
    {"signals during a batch leave no temporary file",
     "big; for sig in QUIT USR1 ALRM TERM PIPE HUP; do $CLI batch big.csv -o o.csv 2> /dev/null & p=$!; "
     "until ls -a | grep -q tmp; do sleep 0.01; done; kill -$sig $p; wait $p; echo $sig $(ls -a | grep -c tmp); done",
     0, {"QUIT 0", "USR1 0", "ALRM 0", "TERM 0", "PIPE 0", "HUP 0"}},
    {"a file-size limit", "big; (ulimit -f 64; $CLI batch big.csv -o o.csv); s=$?; echo $(ls -a | grep -c tmp) left; exit $s", 4,
     {"文件太大", "0 left"}},
    {"the steps' case key", "$CLI --steps --json < $K | grep '\"case\"'", 0, {"\"case\": \"known-side\""}, "known_side"},
    {"the window's help and version; no display", "[ -n \"$WIN\" ] || exit 77; $WIN --version && $WIN -h && "
     "env -u DISPLAY -u WAYLAND_DISPLAY -u QT_QPA_PLATFORM $WIN; echo $?; env -u QT_QPA_PLATFORM DISPLAY=:7391 $WIN", 1,
     {"morvalen 0.1", "--fields-json", "1\n", "没有可用的图形显示"}},
};

TEST(HostileInput, EachCaseEndsAsTheUserExpects) {
    const fs::path folder = fs::temp_directory_path() / ("morvalen-hostile-" + std::to_string(::getpid()));
    std::string notRunHere;
    for (const Case& one : cases) {
        fs::remove_all(folder);
        fs::create_directories(folder);
        fs::permissions(folder, fs::perms::all);
        const std::string command = "cd '" + folder.string() + "' && CLI='" + MORVALEN_CLI_PATH + "' WIN='" +
                                    MORVALEN_WINDOW_PATH + "' E='" + MORVALEN_EXAMPLES_DIR + "' && { " + prelude +
                                    one.script + "; } 2>&1";
        const auto ran = morvalen::testing::runShellCommand(command);
        if (ran.exitStatus == 77) {
            notRunHere += std::string(notRunHere.empty() ? "" : "; ") + one.what;
            continue;
        }
        EXPECT_EQ(ran.exitStatus, one.status) << one.what << "\n" << ran.output;
        for (const std::string& part : one.shown) {
            EXPECT_NE(ran.output.find(part), std::string::npos) << one.what << ": " << part << "\n" << ran.output;
        }
        if (*one.absent) {
            EXPECT_EQ(ran.output.find(one.absent), std::string::npos) << one.what << "\n" << ran.output;
        }
    }
    fs::remove_all(folder);
    if (!notRunHere.empty()) GTEST_SKIP() << "not run on this machine: " << notRunHere;
}

}  // namespace
