#include "atomicfile/atomicfile.h"

#include <QDir>
#include <QFile>
#include <QTemporaryDir>

#include <gtest/gtest.h>

#include <sys/resource.h>
#include <csignal>

using namespace Qt::StringLiterals;

namespace {

QByteArray contents(const QString& path)
{
    QFile file(path);
    return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray();
}

bool writePlain(const QString& path, const QByteArray& bytes)
{
    QFile file(path);
    return file.open(QIODevice::WriteOnly) && file.write(bytes) == bytes.size();
}

TEST(WriteFile, WritesTheBytes)
{
    QTemporaryDir dir;
    ASSERT_TRUE(dir.isValid());
    const QString path = dir.filePath(u"quillon-runs.csv"_s);
    const QByteArray bytes = "run,y1\r\n1,0.02\r\n";
    EXPECT_EQ(atomicfile::writeFileAtomically(path, bytes), QString());
    EXPECT_EQ(contents(path), bytes);
    EXPECT_EQ(QDir(dir.path()).entryList(QDir::Files), QStringList{u"quillon-runs.csv"_s});
}

TEST(WriteFile, ReplacesAnExistingFile)
{
    QTemporaryDir dir;
    ASSERT_TRUE(dir.isValid());
    const QString path = dir.filePath(u"quillon-run-1.pdf"_s);
    ASSERT_TRUE(writePlain(path, "an older and much longer report"));
    EXPECT_EQ(atomicfile::writeFileAtomically(path, "new"), QString());
    EXPECT_EQ(contents(path), QByteArray("new"));
}

// Places no permission bit can open, so that the write fails for root too.
struct UnwritableCase {
    const char* name;
    QString (*path)(const QTemporaryDir& dir);
};

void PrintTo(const UnwritableCase& item, std::ostream* out)
{
    *out << item.name;
}

class UnwritablePlace : public testing::TestWithParam<UnwritableCase> {};

TEST_P(UnwritablePlace, ReportsTheFailureAndLeavesNoFile)
{
    QTemporaryDir dir;
    ASSERT_TRUE(dir.isValid());
    ASSERT_TRUE(writePlain(dir.filePath(u"notes.txt"_s), "a plain file, not a folder"));
    const QString path = GetParam().path(dir);

    const QString reason = atomicfile::writeFileAtomically(path, "run,y1\r\n");
    EXPECT_FALSE(reason.isEmpty());
    EXPECT_FALSE(QFile::exists(path));
    EXPECT_EQ(QDir(dir.path()).entryList(QDir::AllEntries | QDir::NoDotAndDotDot), QStringList{u"notes.txt"_s});
}

INSTANTIATE_TEST_SUITE_P(
    Paths, UnwritablePlace,
    testing::Values(
        UnwritableCase{"folder_is_a_file", [](const QTemporaryDir& dir) { return dir.filePath(u"notes.txt/runs.csv"_s); }},
        UnwritableCase{"missing_folder", [](const QTemporaryDir& dir) { return dir.filePath(u"gone/runs.csv"_s); }},
        UnwritableCase{"kernel_folder", [](const QTemporaryDir&) { return u"/proc/quillon-runs.csv"_s; }}),
    [](const testing::TestParamInfo<UnwritableCase>& row) { return std::string(row.param.name); });

// A disk that fills up half way: the file size limit stops writes for root
// as for anyone, as a full disk does.
class FileSizeLimit {
public:
    explicit FileSizeLimit(rlim_t bytes)
    {
        getrlimit(RLIMIT_FSIZE, &saved);
        previousHandler = std::signal(SIGXFSZ, SIG_IGN);
        rlimit limited = saved;
        limited.rlim_cur = bytes;
        active = setrlimit(RLIMIT_FSIZE, &limited) == 0;
    }
    ~FileSizeLimit()
    {
        setrlimit(RLIMIT_FSIZE, &saved);
        std::signal(SIGXFSZ, previousHandler);
    }
    FileSizeLimit(const FileSizeLimit&) = delete;
    FileSizeLimit& operator=(const FileSizeLimit&) = delete;

    bool active = false;

private:
    rlimit saved{};
    void (*previousHandler)(int) = nullptr;
};

TEST(WriteFile, FullDiskLeavesTheExistingFileAsItWas)
{
    // A file larger than Qt's write buffer fails in the write; a smaller one
    // is taken whole and meets the full disk only when flushed, at the commit.
    const struct {
        const char* name;
        rlim_t limit;
        qsizetype size;
    } disks[] = {{"large file, in the write", 4096, 1 << 20}, {"small file, at the commit", 8, 1000}};
    for (const auto& disk : disks) {
        SCOPED_TRACE(disk.name);
        QTemporaryDir dir;
        ASSERT_TRUE(dir.isValid());
        const QString path = dir.filePath(u"quillon-runs.csv"_s);
        const QByteArray before = "run,y1\r\n1,0.02\r\n";
        ASSERT_TRUE(writePlain(path, before));

        QString reason;
        {
            const FileSizeLimit limit(disk.limit);
            ASSERT_TRUE(limit.active);
            reason = atomicfile::writeFileAtomically(path, QByteArray(disk.size, 'x'));
        }
        EXPECT_FALSE(reason.isEmpty());
        EXPECT_EQ(contents(path), before);
        EXPECT_EQ(QDir(dir.path()).entryList(QDir::AllEntries | QDir::NoDotAndDotDot),
                  QStringList{u"quillon-runs.csv"_s});
    }
}

}  // namespace
