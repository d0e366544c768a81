// The edges a user meets, each as a whole process in a shell of its own: pipes and standard output as targets, a
// standard output that fails, outputs refused before the first prompt, values outside the computation, field books
// with extra directions, files that are no campaign, and the messages that name what was found.
#include <gtest/gtest.h>

#include <filesystem>
#include <unistd.h>

#include "support/ProgramRun.h"

namespace {

namespace fs = std::filesystem;

struct Edge {
    const char* what;
    const char* script;  // /bin/sh in a fresh folder; $CLI the program, $E the examples, $K and $Z their replies
    int status;
    const char* shown;   // in standard output or standard error
    const char* absent = "";
};

// Replies with one line replaced: $(line N VALUE FILE).
constexpr const char* prelude =
    "K=$E/known-side.replies; Z=$E/azimuth.replies; line() { sed \"$1s/.*/$2/\" \"$3\"; }; ";

const Edge edges[] = {
    {"a FIFO is written in place", "mkfifo f; timeout 30 cat f > got & $CLI batch $E/campaign.csv -o f; wait; test -p f && cat got", 0,
     "Q1 known side"},
    {"/dev/stdout is standard output", "$CLI batch $E/campaign.csv -o /dev/stdout | grep -c 'known side'", 0, "1"},
    {"a full standard output", "$CLI --json < $K > /dev/full", 4, "标准输出没有完整写出：", "Morvalen"},
    {"a closed standard output", "$CLI reduce $E/field-book.csv >&-", 4, "输出已关闭"},
    {"a folder that is missing", "$CLI --save-observations no/o.csv < $K", 4, "文件夹不存在", "Xa"},
    {"start side length 0", "line 9 0 $Z | $CLI", 3, "起算边长度 0 不能作边长"},
    {"start side length 1e300", "line 9 1e300 $Z | $CLI --json", 3, "起算边长度 1e300 不能作边长", "e+299"},
    {"b(1) = 180: no 1/0", "line 17 180 $K | $CLI", 3, "m 为零", "1/0"},
    {"61 minutes warned, kept", "line 17 44.6112 $K | $CLI > /dev/null", 0, "44.6112 按 dd.mmss 读作 61 分 12 秒"},
    {"start side number 2.5 warned, rounded", "line 11 2.5 $Z | $CLI > /dev/null", 0, "起算边编号 2.5 不是整数，按规定取整为 2"},
    {"the euro sign as 0x80", "line 11 P€ $K | $CLI --export e.dat > /dev/null; od -An -tx1 e.dat | grep -c ' 50 80 2c'", 0,
     "1"},
    {"a stray quote", "sed '4s/^Q3/\"Q3/' $E/campaign.csv > q.csv; $CLI batch q.csv", 3, "引号未闭合，从第 4 行起"},
    {"a quote never closed", "(cat $E/campaign.csv; echo '\"Q9,1') > q.csv; $CLI batch q.csv", 5, "引号未闭合，从第 8 行起"},
    {"a workbook", "printf 'PK\\003\\004' > w.csv; $CLI batch w.csv", 5, "Excel 工作簿"},
    {"UTF-16 without a mark", "iconv -t UTF-16LE $E/campaign.csv > u.csv; $CLI batch u.csv", 5, "没有字节顺序标记"},
    {"full-width commas", "sed 's/,/，/g' $E/campaign.csv > f.csv; $CLI batch f.csv", 5, "全角逗号"},
    {"a header cell in capitals", "sed '1s/,xa,/,XA ,/' $E/campaign.csv > h.csv; $CLI batch h.csv", 5,
     "\"XA \" 应为 \"xa\""},
    {"a header alone, batch", "head -n 1 $E/campaign.csv > h.csv; $CLI batch h.csv", 5, "中没有数据行"},
    {"a header alone, one run", "head -n 1 $E/campaign.csv > h.csv; $CLI --observations h.csv", 5, "中没有数据行"},
    {"a NUL byte", "sed '3s/Q2/Q\\x002/' $E/campaign.csv > n.csv; $CLI batch n.csv", 5, "第 3 行第 1 列有一个 NUL"},
    {"a name beyond a cell", "line 11 $(head -c 33000 /dev/zero | tr '\\0' N) $K | $CLI --export x.xlsx", 4, "32767"},
    {"name_0 as typed", "$CLI batch $E/campaign.csv", 3, "东山,1000.000,1000.000"},
    {"one heading of subcommands", "$CLI --help", 0, "子命令", "Subcommands"},
    {"an unknown grade", "$CLI --grade 五等", 2, "没有等级 五等；可用的等级：二等"},
    {"a name past the paper's edge is shortened",
     "line 9 $(printf '测%.0s' $(seq 70)) $K | $CLI --pdf n.pdf > /dev/null; pdftotext n.pdf - | grep -c …", 0, "1"},
    {"the checks page keeps its last column",
     "$CLI --grade 四等 --pdf c.pdf < $Z > /dev/null; pdftotext -layout c.pdf - | grep -c '9.00 秒 *合格'", 0, "4"},
    {"a field book checked in the grade's row",
     "head -n 16 $K | $CLI --field-book $E/field-book.csv --grade 一级 --pdf f.pdf > /dev/null; pdftotext f.pdf - | grep -c 一级及以下",
     0, "1"},
    {"English prompts in 80 columns", "$CLI --lang en < $Z | awk 'length > 80 { print \"WIDE\" }'", 0, "", "WIDE"},
    {"eight runs save eight rows",
     "for i in 1 2 3 4 5 6 7 8; do $CLI --save-observations c.csv < $K > /dev/null & done; wait; grep -c 44.13120 c.csv",
     0, "8"},
    {"a field book with an extra target",
     "awk -F, '{ print } $1 == \"A\" && $3 == \"B\" { print \"A,\" $2 \",T9,101.36254,281.36186\" }' $E/field-book.csv"
     " > b.csv; $CLI reduce b.csv --json",
     0, "\"target\": \"T9\""},
    {"a field book with semicolons", "tr , ';' < $E/field-book.csv > b.csv; $CLI reduce b.csv", 5, "用分号分隔"},
    {"the grade chooses the limits", "$CLI reduce $E/field-book.csv --grade 一级", 0, "一级及以下"},
};

TEST(UserEdges, EachEdgeEndsAsTheUserExpects) {
    const fs::path folder = fs::temp_directory_path() / ("morvalen-edges-" + std::to_string(::getpid()));
    for (const Edge& edge : edges) {
        fs::remove_all(folder);
        fs::create_directories(folder);
        const std::string command = "cd '" + folder.string() + "' && CLI='" + MORVALEN_CLI_PATH + "' E='" +
                                    MORVALEN_EXAMPLES_DIR + "' && { " + prelude + edge.script + "; } 2>&1";
        const auto ran = morvalen::testing::runShellCommand(command);
        EXPECT_EQ(ran.exitStatus, edge.status) << edge.what << "\n" << ran.output;
        EXPECT_NE(ran.output.find(edge.shown), std::string::npos) << edge.what << "\n" << ran.output;
        if (*edge.absent) {
            EXPECT_EQ(ran.output.find(edge.absent), std::string::npos) << edge.what << "\n" << ran.output;
        }
    }
    fs::remove_all(folder);
}

}  // namespace
