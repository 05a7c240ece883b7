// A File's image properties on real files: the file's own reads (segments skipped by seeking),
// what is kept after a probe and what is probed again, and the failures. (The header rules
// themselves are covered case by case by the native tests.)
#include "file_test_support.h"

namespace docket::test {
namespace {

std::string Be16(unsigned v) { return {char(v >> 8), char(v & 0xFF)}; }
std::string Segment(unsigned char marker, size_t payload) {
  return std::string{'\xFF', char(marker)} + Be16(unsigned(payload + 2)) +
         std::string(payload, 'x');
}

const std::string kGif320x200 = std::string("GIF89a\x40\x01\xC8\x00\xF7\x00\x00", 13);
const std::string kGif16x8 = std::string("GIF87a\x10\x00\x08\x00\x80\x00\x00", 13);
const std::string kFrame640x480 = std::string("\xFF\xC0\x00\x11\x08\x01\xE0\x02\x80\x03", 10);

struct ImageProbe : ManagerTest {
  const std::wstring path = dir / L"image.bin";

  ComPtr<IFile> FileWith(const std::string& bytes) {
    WriteBytes(path, bytes);
    return FileAt(path);
  }
};

struct Measured {
  LONG width = -1, height = -1, colours = -1;
  HRESULT hr = S_OK;
  bool operator==(const Measured&) const = default;
};

Measured Measure(IFile* file) {
  Measured m;
  for (const auto& [get, out] :
       {std::pair{&IFile::get_ImageWidth, &m.width}, std::pair{&IFile::get_ImageHeight, &m.height},
        std::pair{&IFile::get_ImageColor, &m.colours}}) {
    const HRESULT hr = (file->*get)(out);
    if (FAILED(hr)) m.hr = hr;
  }
  return m;
}

std::ostream& operator<<(std::ostream& out, const Measured& m) {
  return out << m.width << " x " << m.height << ", " << m.colours << " colours, 0x" << std::hex
             << static_cast<ULONG>(m.hr);
}

TEST_F(ImageProbe, AJpegIsWalkedThroughTheFileFromItsStartOfImage) {
  std::string segments;
  for (int i = 0; i < 5; ++i) segments += Segment(0xE1, 65533);  // 320 KB to step over
  const Measured expected{640, 480, 16777216};
  EXPECT_EQ(Measure(FileWith("\xFF\xD8" + segments + kFrame640x480).get()), expected);
  EXPECT_EQ(Measure(FileWith("leading data\xFF\xD8" + segments + kFrame640x480).get()), expected);
}

TEST_F(ImageProbe, AMeasuredFileKeepsItsAnswersWhateverHappensToIt) {
  ComPtr<IFile> file = FileWith(kGif320x200);
  const Measured first = Measure(file.get());
  ASSERT_EQ(first, (Measured{320, 200, 256}));
  WriteBytes(path, kGif16x8);
  EXPECT_EQ(Measure(file.get()), first) << "kept after the file changed";
  EXPECT_EQ(Measure(FileAt(path).get()), (Measured{16, 8, 2})) << "a new object reads the file anew";
  ASSERT_TRUE(::DeleteFileW(path.c_str()));
  EXPECT_EQ(Measure(file.get()), first) << "kept after the file went";
  // A JPEG without a frame completes its probe too: its zeros are kept.
  ComPtr<IFile> frameless = FileWith("\xFF\xD8\xFF\xD9");
  ASSERT_EQ(Measure(frameless.get()), (Measured{0, 0, 0}));
  WriteBytes(path, kGif320x200);
  EXPECT_EQ(Measure(frameless.get()), (Measured{0, 0, 0}));
}

TEST_F(ImageProbe, AnEmptyFileOrOneWithoutAnImageIsProbedAgainNextTime) {
  ComPtr<IFile> file = FileWith("");
  EXPECT_EQ(Measure(file.get()), (Measured{0, 0, 0}));
  WriteBytes(path, kGif16x8);
  EXPECT_EQ(Measure(file.get()), (Measured{16, 8, 2}));

  const char text[] =
      "Text without an image marker: \xFF\xD8 alone, and FF D8 FF after a zero\0\xFF\xD8\xFF";
  file = FileWith(std::string(text, sizeof text - 1));
  LONG width = 77;
  EXPECT_TRUE(IsReported(file->get_ImageWidth(&width), DISP_E_EXCEPTION,
                         L"Can't determine the file's type"));
  EXPECT_EQ(width, 0);
  WriteBytes(path, kGif16x8);
  EXPECT_EQ(Measure(file.get()), (Measured{16, 8, 2}));
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
