// "http" in a page goes through the browser's fetch, to the server the test runner starts on
// 127.0.0.1: the files of the program's folder, and answers of the test's choosing at
// /corvax-answer (tools/web/answers.py).
#include <emscripten.h>
#include <gtest/gtest.h>

#include <chrono>
#include <string>
#include <vector>

#include <corvax/net/net_module.h>
#include <corvax/stream/stream_exceptions.h>
#include <corvax/stream/stream_module.h>

namespace corvax {
namespace {

// The page's own server, host:port, as the page's location names it.
EM_JS(void, corvax_page_host, (char* text, int room), { stringToUTF8(location.host, text, room); });

constexpr int kHostRoom = 64;
constexpr int kTestTimeoutMs = 2000;
// The answering route's bytes: byte i of a sized body is i % 251.
constexpr int kPatternModulus = 251;

std::string PageHost() {
  char text[kHostRoom] = {};
  corvax_page_host(text, sizeof text);
  return text;
}

// An http:: url for the page's server.
String Url(const std::string& path) {
  return From8Bit("http::" + PageHost() + path);
}

std::string Text(const std::vector<std::uint8_t>& bytes) {
  return std::string(bytes.begin(), bytes.end());
}

class HttpFetch : public ::testing::Test {
 protected:
  void SetUp() override {
    StartupStreamModule();
    StartupNetModule();
    SetHTTPTimeout(kTestTimeoutMs);
  }
  void TearDown() override { SetHTTPTimeout(30000); }
};

TEST_F(HttpFetch, AServedFileArrivesWholeWithItsLength) {
  const std::vector<std::uint8_t> expected = LoadBytes(From8Bit(SERVED_FILE));
  const Ref<TStream> body = OpenReadStream(Url(SERVED_PATH));
  ASSERT_TRUE(body);
  EXPECT_EQ(body->Length(), static_cast<int>(expected.size()));
  EXPECT_FALSE(body->AtEnd());
  std::vector<std::uint8_t> got(expected.size());
  EXPECT_EQ(body->ReadBlock(got.data(), static_cast<int>(got.size())),
            static_cast<int>(got.size()));
  EXPECT_EQ(got, expected);
  EXPECT_TRUE(body->AtEnd());
  EXPECT_EQ(body->Read(got.data(), 1), 0);
  body->Close();
  EXPECT_EQ(LoadBytes(Url(SERVED_PATH)), expected);
}

TEST_F(HttpFetch, TheBodyComesAsTheServerSentItWithOrWithoutALength) {
  const Ref<TStream> body = OpenReadStream(Url("/corvax-answer?body=hello%20world"));
  ASSERT_TRUE(body);
  EXPECT_EQ(body->Length(), 11);
  EXPECT_EQ(body->ReadChars(11), u"hello world");
  EXPECT_TRUE(body->AtEnd());
  body->Close();

  // Without a Content-Length the body runs until the server closes; a loop of AtEnd and Read
  // ends quietly there.
  const Ref<TStream> unsized = OpenReadStream(Url("/corvax-answer?size=100000&length=none"));
  ASSERT_TRUE(unsized);
  EXPECT_EQ(unsized->Length(), 0);
  std::vector<std::uint8_t> got;
  std::uint8_t buffer[4096];
  while (!unsized->AtEnd()) {
    const int n = unsized->Read(buffer, sizeof buffer);
    if (n == 0) break;
    got.insert(got.end(), buffer, buffer + n);
  }
  EXPECT_TRUE(unsized->AtEnd());
  ASSERT_EQ(got.size(), 100000u);
  for (std::size_t i = 0; i < got.size(); ++i) {
    ASSERT_EQ(got[i], i % kPatternModulus) << "at byte " << i;
  }
}

TEST_F(HttpFetch, AnyTwoHundredStatusGivesTheBody) {
  EXPECT_EQ(Text(LoadBytes(Url("/corvax-answer?status=203&body=not%20quite"))), "not quite");
  EXPECT_EQ(Text(LoadBytes(Url("/corvax-answer?status=200&header=X-Extra:1&body=x"))), "x");
}

TEST_F(HttpFetch, ErrorStatusesGiveNullAndSayWhat) {
  ::testing::internal::CaptureStderr();
  const Ref<TStream> missing = OpenReadStream(Url("/no-such-file.txt"));
  EXPECT_EQ(::testing::internal::GetCapturedStderr(),
            "corvax: cannot get http::" + PageHost() +
                "/no-such-file.txt: the server answered 404 File not found\n");
  EXPECT_FALSE(missing);

  ::testing::internal::CaptureStderr();
  EXPECT_FALSE(OpenReadStream(Url("/corvax-answer?status=500&reason=Broken&body=oops")));
  EXPECT_EQ(::testing::internal::GetCapturedStderr(),
            "corvax: cannot get http::" + PageHost() +
                "/corvax-answer?status=500&reason=Broken&body=oops: the server answered 500 "
                "Broken\n");
}

TEST_F(HttpFetch, RedirectsAreNotFollowed) {
  ::testing::internal::CaptureStderr();
  const Ref<TStream> body =
      OpenReadStream(Url("/corvax-answer?status=302&header=Location:" SERVED_PATH));
  const std::string said = ::testing::internal::GetCapturedStderr();
  EXPECT_FALSE(body);
  EXPECT_NE(said.find("the server redirects it elsewhere (redirects are not followed)\n"),
            std::string::npos)
      << said;
}

TEST_F(HttpFetch, AnUnreachableServerGivesNullAtOnceAndSaysWhy) {
  // Port 2 on loopback: nothing listens there.
  const auto start = std::chrono::steady_clock::now();
  ::testing::internal::CaptureStderr();
  const Ref<TStream> body = OpenReadStream(u"http::127.0.0.1:2/file.txt");
  const std::string said = ::testing::internal::GetCapturedStderr();
  EXPECT_FALSE(body);
  EXPECT_EQ(said.rfind("corvax: cannot get http::127.0.0.1:2/file.txt: the browser could not "
                       "fetch it (",
                       0),
            0u)
      << said;
  EXPECT_NE(said.find("): no server answers there, or it does not let this page read it\n"),
            std::string::npos)
      << said;
  EXPECT_EQ(said.find('\n'), said.size() - 1) << said;
  EXPECT_LT(std::chrono::steady_clock::now() - start, std::chrono::milliseconds(kTestTimeoutMs));
}

// localhost is another origin than the page's 127.0.0.1, though the same server answers: the
// page reads its answers only where they allow it.
TEST_F(HttpFetch, AnotherOriginIsReadOnlyWhereItAllowsThePage) {
  const std::string port = PageHost().substr(PageHost().find(':'));
  ::testing::internal::CaptureStderr();
  EXPECT_FALSE(OpenReadStream(From8Bit("http::localhost" + port + SERVED_PATH)));
  const std::string said = ::testing::internal::GetCapturedStderr();
  EXPECT_EQ(said.rfind("corvax: cannot get http::localhost" + port + SERVED_PATH +
                           ": the browser could not fetch it (",
                       0),
            0u)
      << said;

  const String allowed = From8Bit(
      "http::localhost" + port + "/corvax-answer?header=Access-Control-Allow-Origin:*&body=shared");
  EXPECT_EQ(Text(LoadBytes(allowed)), "shared");
}

TEST_F(HttpFetch, AServerThatDoesNotAnswerTimesOut) {
  SetHTTPTimeout(300);
  ::testing::internal::CaptureStderr();
  const Ref<TStream> body = OpenReadStream(Url("/corvax-answer?stall=1500"));
  const std::string said = ::testing::internal::GetCapturedStderr();
  EXPECT_FALSE(body);
  EXPECT_EQ(said, "corvax: cannot get http::" + PageHost() +
                      "/corvax-answer?stall=1500: no answer came within 300 ms\n");
}

TEST_F(HttpFetch, ABodyThatBreaksOffOrStallsIsAReadErrorThatSaysWhy) {
  const Ref<TStream> cut = OpenReadStream(Url("/corvax-answer?size=1000&short=10"));
  ASSERT_TRUE(cut);
  EXPECT_EQ(cut->Length(), 1000);
  std::vector<std::uint8_t> buffer(1000);
  ::testing::internal::CaptureStderr();
  EXPECT_THROW(cut->ReadBlock(buffer.data(), 1000), TStreamReadException);
  const std::string said = ::testing::internal::GetCapturedStderr();
  EXPECT_NE(said.find("corvax: http::" + PageHost() + "/corvax-answer?size=1000&short=10: "),
            std::string::npos)
      << said;
  EXPECT_FALSE(cut->AtEnd());
  cut->Close();

  SetHTTPTimeout(300);
  const Ref<TStream> stalled = OpenReadStream(Url("/corvax-answer?body=late&stallbody=1500"));
  ASSERT_TRUE(stalled);
  ::testing::internal::CaptureStderr();
  EXPECT_THROW(stalled->ReadChars(4), TStreamReadException);
  EXPECT_EQ(::testing::internal::GetCapturedStderr(),
            "corvax: http::" + PageHost() +
                "/corvax-answer?body=late&stallbody=1500: no more of the body came within 300 "
                "ms\n");
  stalled->Close();
}

TEST_F(HttpFetch, UrlsThatWouldAlterTheRequestGiveNull) {
  EXPECT_FALSE(OpenReadStream(Url("/a b")));
  EXPECT_FALSE(OpenReadStream(u"http::127.0.0.1:99999/"));
}

}  // namespace
}  // namespace corvax
