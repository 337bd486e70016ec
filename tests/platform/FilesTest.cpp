#include "platform/Files.h"
#include "support/TempFolder.h"

#include <gtest/gtest.h>

#include <csignal>
#include <sys/resource.h>
#include <sys/stat.h>
#include <sys/time.h>
#include <sys/wait.h>
#include <unistd.h>

using namespace platform;
using test_support::TempFolder;

namespace {

std::string Read(const std::string& path) {
  std::string text;
  EXPECT_TRUE(ReadWholeFile(path, text)) << path;
  return text;
}

TEST(FilesTest, ResolvePathFindsEachComponentWhateverItsCase) {
  TempFolder folder;
  folder.Write("Data/graphics/buttonMO.png", "button");
  folder.Write("data/Default.ini", "ini");
  const std::string root = folder.Path();

  EXPECT_EQ(ResolvePath(root + "Data/graphics/buttonMO.png"), root + "Data/graphics/buttonMO.png");
  EXPECT_EQ(ResolvePath(root + "data/GRAPHICS/buttonmo.png"), root + "Data/graphics/buttonMO.png");
  EXPECT_EQ(Read(root + "DATA/Graphics/ButtonMo.PNG"), "button");
  // Two folders differ only in case: the exact spelling wins at every step.
  EXPECT_EQ(ResolvePath(root + "data/Default.ini"), root + "data/Default.ini");
  EXPECT_EQ(ResolvePath(root + "data/default.INI"), root + "data/Default.ini");
  EXPECT_TRUE(FileExists(root + "DATA/default.ini"));
  EXPECT_TRUE(FolderExists(root + "DATA/GRAPHICS"));
  EXPECT_FALSE(FileExists(root + "data/graphics"));
  EXPECT_EQ(FileSize(root + "data/graphics/BUTTONMO.png"), 6);
  EXPECT_EQ(FileSize(root + "data/graphics/none.png"), -1);
  // Nothing matches: unchanged; only the last name missing: written inside the found folder.
  EXPECT_EQ(ResolvePath(root + "nowhere/at/all.png"), root + "nowhere/at/all.png");
  EXPECT_EQ(ResolvePath(root + "DATA/graphics/new.png"), root + "Data/graphics/new.png");
}

TEST(FilesTest, RelativePathsResolveFromTheWorkingFolder) {
  TempFolder folder;
  folder.Write("Layouts/Matching/1.layout", "x");
  char previous[4096];
  ASSERT_NE(getcwd(previous, sizeof(previous)), nullptr);
  ASSERT_EQ(chdir(folder.Path().c_str()), 0);
  std::string resolved = ResolvePath("layouts/matching/1.LAYOUT");
  ASSERT_EQ(chdir(previous), 0);
  EXPECT_EQ(resolved, "Layouts/Matching/1.layout");
}

TEST(FilesTest, ListFolderSortsIgnoringCaseAndFiltersByExtension) {
  TempFolder folder;
  for (const char* name : {"beta.dat", "Alpha.dat", "gamma.DAT", "delta.datx", ".dat", "Zed.txt", "b.dat"})
    folder.Write(name, "1");
  folder.Write("Sub/inner.dat", "1");

  std::vector<std::string> all = ListFolder(folder.Path());
  EXPECT_EQ(all, (std::vector<std::string>{".dat", "Alpha.dat", "b.dat", "beta.dat", "delta.datx", "gamma.DAT",
                                           "Zed.txt"}));
  std::vector<std::string> dat = ListFolder(folder.Path(), "dat");
  EXPECT_EQ(dat, (std::vector<std::string>{".dat", "Alpha.dat", "b.dat", "beta.dat", "gamma.DAT"}));
  std::vector<std::string> withFolders = ListFolder(folder.Path(), "", true);
  EXPECT_NE(std::find(withFolders.begin(), withFolders.end(), "Sub"), withFolders.end());
  EXPECT_TRUE(ListFolder(folder.Path() + "missing").empty());

  // The checked listing tells a folder that cannot be read from an empty one.
  std::vector<std::string> names{"stale"};
  EXPECT_FALSE(ListFolderChecked(folder.Path() + "missing", "dat", names));
  EXPECT_TRUE(names.empty());
  EXPECT_TRUE(ListFolderChecked(folder.Path() + "Sub", "txt", names));
  EXPECT_TRUE(names.empty());
  EXPECT_TRUE(ListFolderChecked(folder.Path(), "dat", names));
  EXPECT_EQ(names, dat);
}

TEST(FilesTest, WriteFileAtomicReplacesWholeFiles) {
  TempFolder folder;
  const std::string path = folder.File("settings.ini");
  ASSERT_TRUE(WriteFileAtomic(path, std::string("first version, quite long")));
  ASSERT_TRUE(WriteFileAtomic(path, std::string("second")));
  EXPECT_EQ(Read(path), "second");
  EXPECT_EQ(ListFolder(folder.Path()), std::vector<std::string>{"settings.ini"}); // no temporary left
  ASSERT_TRUE(CopyFile(path, folder.File("copy.ini")));
  EXPECT_EQ(Read(folder.File("copy.ini")), "second");
  ASSERT_TRUE(CreateEmptyFile(folder.File("marker.dat")));
  EXPECT_EQ(FileSize(folder.File("marker.dat")), 0);
  EXPECT_TRUE(DeleteFile(folder.File("MARKER.dat")));
  EXPECT_FALSE(FileExists(folder.File("marker.dat")));
}

TEST(FilesTest, FailedWriteKeepsTheOldFile) {
  TempFolder folder;
  const std::string path = folder.File("scores.hsdat");
  ASSERT_TRUE(WriteFileAtomic(path, std::string("old scores")));
  // A child process whose file-size limit makes the write fail half way
  // (this works even for root, unlike permissions).
  pid_t child = fork();
  ASSERT_GE(child, 0);
  if (child == 0) {
    std::signal(SIGXFSZ, SIG_IGN);
    rlimit limit{100, 100};
    setrlimit(RLIMIT_FSIZE, &limit);
    std::string big(10000, 'x');
    _exit(WriteFileAtomic(path, big) ? 1 : 0);
  }
  int status = 0;
  ASSERT_EQ(waitpid(child, &status, 0), child);
  ASSERT_TRUE(WIFEXITED(status));
  EXPECT_EQ(WEXITSTATUS(status), 0) << "the failed write was reported as done";
  EXPECT_EQ(Read(path), "old scores");
  EXPECT_EQ(ListFolder(folder.Path()), std::vector<std::string>{"scores.hsdat"});
  // A target that cannot be replaced (a folder) fails too and leaves nothing behind.
  folder.Write("taken/inside.txt", "x");
  EXPECT_FALSE(WriteFileAtomic(folder.File("taken"), std::string("data")));
  EXPECT_TRUE(FolderExists(folder.File("taken")));
}

TEST(FilesTest, ReadWholeFileRespectsItsBoundAndReadsOnlyFiles) {
  TempFolder folder;
  folder.Write("ten.bin", "0123456789");
  std::vector<uint8_t> bytes;
  EXPECT_TRUE(ReadWholeFile(folder.File("ten.bin"), bytes, 10));
  EXPECT_EQ(bytes.size(), 10u);
  EXPECT_FALSE(ReadWholeFile(folder.File("ten.bin"), bytes, 9));
  EXPECT_TRUE(bytes.empty());
  EXPECT_FALSE(ReadWholeFile(folder.File("missing.bin"), bytes));
  EXPECT_FALSE(ReadWholeFile(folder.Path(), bytes)); // a folder is not a file
  // A named pipe nobody writes to is refused at once instead of waited on.
  ASSERT_EQ(mkfifo(folder.File("pipe.png").c_str(), 0600), 0);
  EXPECT_FALSE(ReadWholeFile(folder.File("pipe.png"), bytes));
  // The same answers without reading.
  EXPECT_TRUE(CanReadFile(folder.File("ten.bin"), 10));
  EXPECT_FALSE(CanReadFile(folder.File("ten.bin"), 9));
  EXPECT_FALSE(CanReadFile(folder.File("pipe.png")));
  EXPECT_FALSE(CanReadFile(folder.Path()));
  // Lists of a kind of file show no pipe under that kind's name.
  EXPECT_TRUE(ListFolder(folder.Path(), "png").empty());
}

// A write killed half-way leaves "<file>.tmp-XXXXXX": the next start removes
// such leftovers, and nothing else.
TEST(FilesTest, StaleTemporaryFilesOfInterruptedWritesAreRemoved) {
  TempFolder folder;
  const char* names[] = {"marrowdeck.ini.tmp-a1B2c3", "config.ini.tmp-ZZ9zz9", "notes.tmp-a1B2c3x", "keep.tmp-ab-cd",
                         "marrowdeck.ini", "fresh.ini.tmp-Qw3rTy"};
  for (const char* name : names) folder.Write(name, "x");
  const timeval past[2] = {{1000000000, 0}, {1000000000, 0}};
  for (int i = 0; i < 5; ++i) ASSERT_EQ(utimes(folder.File(names[i]).c_str(), past), 0);
  EXPECT_EQ(RemoveStaleTemporaryFiles(folder.Path()), 2);
  EXPECT_FALSE(FileExists(folder.File(names[0])));
  EXPECT_FALSE(FileExists(folder.File(names[1])));
  for (int i = 2; i < 6; ++i) EXPECT_TRUE(FileExists(folder.File(names[i]))) << names[i]; // not ours, or made by this run
  EXPECT_EQ(RemoveStaleTemporaryFiles(folder.File("missing")), 0);
}

TEST(FilesTest, CreateFoldersMakesMissingParents) {
  TempFolder folder;
  const std::string deep = folder.Path() + "Velquor Games/Marrowdeck/profiles";
  EXPECT_TRUE(CreateFolders(deep));
  EXPECT_TRUE(FolderExists(deep));
  EXPECT_TRUE(CreateFolders(deep)); // again: already there
  EXPECT_TRUE(CreateFolder(folder.Path() + "velquor games/marrowdeck")); // exists in another case
  folder.Write("plain", "x");
  EXPECT_FALSE(CreateFolders(folder.Path() + "plain/below"));
}

} // namespace
