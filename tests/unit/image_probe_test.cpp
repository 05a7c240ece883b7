// A File's image properties on real files: the file's own reads (segments skipped by seeking),
// what is kept after a probe and what is probed again, and the failures. (The header rules
// themselves are covered case by case by the native tests.)
#include "file_test_support.h"

namespace docket::test {
namespace {

const std::string kGif320x200("GIF89a\x40\x01\xC8\x00\xF7\x00\x00", 13);
const std::string kGif16x8("GIF87a\x10\x00\x08\x00\x80\x00\x00", 13);
const std::string kFrame640x480("\xFF\xC0\x00\x11\x08\x01\xE0\x02\x80\x03", 10);

struct ImageProbe : ManagerTest {
  const std::wstring path = dir / L"image.bin";
  ComPtr<IFile> FileWith(const std::string& bytes) {
    WriteBytes(path, bytes);
    return FileAt(path);
  }
};

// "width x height x colours", or the failure's result code.
std::string Measure(IFile* file) {
  std::string text;
  for (auto get : {&IFile::get_ImageWidth, &IFile::get_ImageHeight, &IFile::get_ImageColor}) {
    LONG value = -1;
    const HRESULT hr = (file->*get)(&value);
    if (FAILED(hr)) return "failed " + std::to_string(hr);
    text += (text.empty() ? "" : "x") + std::to_string(value);
  }
  return text;
}

TEST_F(ImageProbe, AJpegIsWalkedThroughTheFileFromItsStartOfImage) {
  std::string segments;
  for (int i = 0; i < 5; ++i)  // 320 KB to step over
    segments += std::string("\xFF\xE1\xFF\xFF", 4) + std::string(65533, 'x');
  EXPECT_EQ(Measure(FileWith("\xFF\xD8" + segments + kFrame640x480).get()), "640x480x16777216");
  EXPECT_EQ(Measure(FileWith("leading data\xFF\xD8" + segments + kFrame640x480).get()), "640x480x16777216");
}

// A probe that measured keeps its answers whatever happens to the file; one that found nothing
// (an empty file, no image) probes again next time.
TEST_F(ImageProbe, AMeasuredFileKeepsItsAnswersAnUnmeasuredOneProbesAgain) {
  ComPtr<IFile> file = FileWith(kGif320x200);
  ASSERT_EQ(Measure(file.get()), "320x200x256");
  WriteBytes(path, kGif16x8);
  EXPECT_EQ(Measure(file.get()), "320x200x256") << "kept after the file changed";
  EXPECT_EQ(Measure(FileAt(path).get()), "16x8x2") << "a new object reads the file anew";
  ASSERT_TRUE(::DeleteFileW(path.c_str()));
  EXPECT_EQ(Measure(file.get()), "320x200x256") << "kept after the file went";
  WriteBytes(dir / L"frameless", "\xFF\xD8\xFF\xD9");
  WriteBytes(dir / L"empty", "");
  WriteBytes(dir / L"text", "plain text");
  ComPtr<IFile> frameless = FileAt(dir / L"frameless"), empty = FileAt(dir / L"empty"), text = FileAt(dir / L"text");
  EXPECT_EQ(Measure(frameless.get()) + " " + Measure(empty.get()), "0x0x0 0x0x0");
  LONG width = 77;
  EXPECT_TRUE(IsReported(text->get_ImageWidth(&width), DISP_E_EXCEPTION, L"Can't determine the file's type"));
  EXPECT_EQ(width, 0);
  for (const wchar_t* name : {L"frameless", L"empty", L"text"}) WriteBytes(dir / name, kGif16x8);
  EXPECT_EQ(Measure(frameless.get()) + " " + Measure(empty.get()) + " " + Measure(text.get()), "0x0x0 16x8x2 16x8x2")
      << "a JPEG without a frame completes its probe";
}

TEST_F(ImageProbe, FailuresToOpenTheFileAreTheSystemErrors) {
  ComPtr<IFile> file = FileWith(kGif320x200);
  EXPECT_EQ(file->get_ImageColor(nullptr), E_POINTER);
  // The probe shares the file for reading only: a writer in progress keeps it out.
  HANDLE writer = ::CreateFileW(path.c_str(), GENERIC_WRITE, FILE_SHARE_READ | FILE_SHARE_WRITE,
                                nullptr, OPEN_EXISTING, 0, nullptr);
  ASSERT_NE(writer, INVALID_HANDLE_VALUE);
  LONG height = 0;
  EXPECT_TRUE(IsSystemError(file->get_ImageHeight(&height), ERROR_SHARING_VIOLATION));
  ::CloseHandle(writer);
  ASSERT_TRUE(::DeleteFileW(path.c_str()));
  EXPECT_TRUE(IsSystemError(file->get_ImageHeight(&height), ERROR_FILE_NOT_FOUND));
}

}  // namespace
}  // namespace docket::test
