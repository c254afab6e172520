// Real style sheets from npm packages (tests/data/sheets, one folder per package), each taken
// through the whole workflow in the real window against a loopback site that serves the
// package's own files at their own paths. The expectations come from this file alone: what the
// default pattern finds, which addresses name a file the package holds, and the sheet the
// rewrite must write, byte for byte.
#include "FormFixture.h"
#include "HttpServer.h"

#include <algorithm>
#include <cctype>
#include <map>
#include <set>
#include <vector>

using testsupport::HttpServer;
using testsupport::PumpUntil;
using namespace ui;

namespace {

struct CorpusSheet {
  const char* package;  // folder under tests/data/sheets
  const char* sheet;    // the sheet inside the package
  // As tests/data/README.md gives them: distinct addresses the default pattern finds, and how
  // many of those are embedded data: images and images the package does not hold.
  size_t found, data, missing;
};

const CorpusSheet kCorpus[] = {
    {"jquery-ui", "themes/base/theme.css", 6, 0, 0},
    {"jstree", "dist/themes/default/style.min.css", 10, 7, 0},
    {"select2", "select2.css", 3, 0, 0},
    {"lightbox2", "dist/css/lightbox.css", 5, 1, 0},
    {"datatables.net-dt", "css/jquery.dataTables.min.css", 5, 0, 0},
    {"bxslider", "dist/jquery.bxslider.css", 2, 0, 0},
    {"bxslider", "src/css/jquery.bxslider.css", 2, 0, 2},
    {"bootstrap", "dist/css/bootstrap.min.css", 1, 0, 0},
};

std::wstring CorpusPath(const std::string& relative) {
  std::wstring path = Widen(std::string(VEXLO_TESTDATA_DIR) + "/sheets/" + relative);
  std::replace(path.begin(), path.end(), L'/', L'\\');
  return path;
}

bool HasAt(const std::string& s, size_t at, std::string_view word) {
  if (at + word.size() > s.size()) return false;
  for (size_t k = 0; k < word.size(); ++k)
    if (std::tolower(static_cast<unsigned char>(s[at + k])) != word[k]) return false;
  return true;
}

// The text as the window holds it: every line break (CR LF, CR or LF) becomes CR LF.
std::string Loaded(const std::string& raw) {
  std::string text;
  for (size_t i = 0; i < raw.size(); ++i) {
    if (raw[i] != '\r' && raw[i] != '\n') text += raw[i];
    else {
      text += "\r\n";
      if (raw[i] == '\r' && i + 1 < raw.size() && raw[i + 1] == '\n') ++i;
    }
  }
  return text;
}

// The address inside one pair of matching quotes (blanks around them allowed), or as written.
std::string Unquoted(const std::string& address) {
  size_t first = address.find_first_not_of(" \t"), last = address.find_last_not_of(" \t");
  if (first == std::string::npos || last == first) return address;
  char q = address[first];
  if ((q == '\'' || q == '"') && address[last] == q) return address.substr(first + 1, last - first - 1);
  return address;
}

// background(.*?)url\((.*?)\) over the text, without case and globally, "." being anything but
// LF: the second capture of every match, each address once (quoted or not), in the order first
// found.
std::vector<std::string> DefaultPatternFinds(const std::string& text) {
  std::vector<std::string> found;
  for (size_t at = 0; at < text.size(); ++at) {
    if (!HasAt(text, at, "background")) continue;
    size_t lineEnd = std::min(text.find('\n', at), text.size());
    size_t url = at + 10;
    while (url < lineEnd && !HasAt(text, url, "url(")) ++url;
    size_t close = url < lineEnd ? text.find(')', url + 4) : std::string::npos;
    if (close == std::string::npos || close >= lineEnd) continue;  // no match starts here
    std::string address = text.substr(url + 4, close - url - 4);
    if (std::none_of(found.begin(), found.end(), [&](const std::string& f) { return Unquoted(f) == Unquoted(address); }))
      found.push_back(address);
    at = close;  // the next match starts after this one
  }
  return found;
}

bool IsData(const std::string& address) { return HasAt(address, 0, "data:"); }

// The package file a relative or site-absolute address names from the sheet's folder (both
// with "/"), without its query or fragment; empty for an address off the site.
std::string PackageFile(const std::string& sheetFolder, const std::string& address) {
  std::string path = address.substr(0, address.find_first_of("?#"));
  if (path.rfind("//", 0) == 0 || path.find("://") != std::string::npos) return "";
  if (path.rfind("/", 0) != 0) path = sheetFolder + "/" + path;
  std::vector<std::string> segments;
  for (size_t start = 0; start <= path.size();) {
    size_t end = std::min(path.find('/', start), path.size());
    std::string segment = path.substr(start, end - start);
    if (segment == "..") {
      if (segments.empty()) return "";
      segments.pop_back();
    } else if (!segment.empty() && segment != ".") segments.push_back(segment);
    start = end + 1;
  }
  std::string file;
  for (const std::string& segment : segments) file += (file.empty() ? "" : "/") + segment;
  return file;
}

bool IsDelimiter(char c) { return std::string_view("()'\" \t\r\n,;").find(c) != std::string_view::npos; }

// Every whole occurrence of an address (delimiters or the text's ends on both sides) replaced
// by its local name, in one pass over the text from its start.
std::string Rewritten(const std::string& text, const std::map<std::string, std::string>& local) {
  std::string out;
  for (size_t at = 0; at < text.size();) {
    const std::pair<const std::string, std::string>* hit = nullptr;
    if (at == 0 || IsDelimiter(text[at - 1])) {
      for (const auto& entry : local) {
        size_t end = at + entry.first.size();
        if (text.compare(at, entry.first.size(), entry.first) == 0 && (end == text.size() || IsDelimiter(text[end])) &&
            (!hit || entry.first.size() > hit->first.size()))
          hit = &entry;
      }
    }
    if (hit) {
      out += hit->second;
      at += hit->first.size();
    } else {
      out += text[at++];
    }
  }
  return out;
}

// The first url(...) whose quotes do not pair up (as "url(...)"), or empty when all do.
std::string MalformedUrl(const std::string& css) {
  for (size_t at = 0; (at = css.find("url(", at)) != std::string::npos; at += 4) {
    size_t close = css.find(')', at + 4);
    std::string inside = css.substr(at + 4, close == std::string::npos ? std::string::npos : close - at - 4);
    std::string bare = Unquoted(inside);
    bool quoted = bare.size() != inside.size();
    bool stray = quoted ? bare.find(inside[inside.find_first_not_of(" \t")]) != std::string::npos
                        : inside.find_first_of("'\"") != std::string::npos;
    if (close == std::string::npos || stray) return "url(" + inside + ")";
  }
  return "";
}

// A name made unique with a number in front: "123_name".
bool IsNumberedName(const std::string& got, const std::string& name) {
  size_t digits = got.size() > name.size() + 1 ? got.size() - name.size() - 1 : 0;
  return digits > 0 && got.compare(digits, std::string::npos, "_" + name) == 0 &&
         std::all_of(got.begin(), got.begin() + digits, [](char c) { return c >= '0' && c <= '9'; });
}

void PrintTo(const CorpusSheet& s, std::ostream* out) { *out << s.package << "/" << s.sheet; }

struct SheetCorpusTest : MainWindowTest, testing::WithParamInterface<CorpusSheet> {
  HttpServer server;
  int rewrites = 0;

  void SetUp() override {
    MainWindowTest::SetUp();
    auto rewrite = form->btn6->OnClick;
    form->btn6->OnClick = [this, rewrite](TObject* s) {
      rewrite(s);
      ++rewrites;
    };
  }
};

}  // namespace

TEST_P(SheetCorpusTest, ImagesArriveAndOnlyTheirAddressesChange) {
  const std::string package = GetParam().package, inPackage = GetParam().sheet;
  const size_t slash = inPackage.rfind('/');
  const std::string sheetFolder = slash == std::string::npos ? "" : inPackage.substr(0, slash);
  const std::string name = inPackage.substr(slash + 1);
  const std::string raw = ReadFile(CorpusPath(package + "/" + inPackage));
  const std::string loaded = Loaded(raw);
  const std::vector<std::string> found = DefaultPatternFinds(loaded);
  auto held = [&](const std::string& file) {
    DWORD attributes = GetFileAttributesW(CorpusPath(package + "/" + file).c_str());
    return attributes != INVALID_FILE_ATTRIBUTES && !(attributes & FILE_ATTRIBUTE_DIRECTORY);
  };

  // The oracle agrees with what the data's README says of the sheet.
  size_t data = 0, missing = 0;
  for (const std::string& address : found) {
    if (IsData(Unquoted(address))) ++data;
    else missing += !held(PackageFile(sheetFolder, Unquoted(address)));
  }
  ASSERT_EQ(found.size(), GetParam().found);
  ASSERT_EQ(data, GetParam().data);
  ASSERT_EQ(missing, GetParam().missing);

  const std::wstring sheet = folder + Widen(name);
  WriteFile(sheet, raw);
  server.ServeFolder(CorpusPath(package));
  OpenThroughDialog(sheet);
  form->btn2->Click();
  form->lbledt1->SetText(FromAnsi(server.Url("")));
  form->lbledt2->SetText(FromAnsi(server.Url(sheetFolder.empty() ? "/" : "/" + sheetFolder + "/")));
  form->btn3->Click();
  form->btn5->Click();
  ASSERT_TRUE(PumpUntil([&] { return rewrites > 0; }, testsupport::kRunDeadlineMs));

  std::vector<std::string> listed;
  for (int i = 0; i < form->mmo1->Lines()->Count(); ++i) listed.push_back(form->mmo1->Lines()->Strings(i));
  ASSERT_EQ(listed, found);
  ASSERT_EQ(form->ListView1->Items()->Count(), static_cast<int>(found.size()));

  std::map<std::string, std::string> local;  // address of a downloaded image -> its file beside the sheet
  std::set<std::wstring> files = {Widen(name), Widen(name) + L".bak"};
  std::set<std::string> taken = {name};
  const download::DownloadRun& run = form->DownloadRun();
  for (int i = 0; i < static_cast<int>(found.size()); ++i) {
    const std::string address = Unquoted(found[i]);
    if (IsData(address)) {
      EXPECT_FALSE(run.Failed(i)) << found[i];
      continue;
    }
    const std::string file = PackageFile(sheetFolder, address);
    if (!held(file)) {
      EXPECT_TRUE(run.Failed(i)) << found[i];
      EXPECT_FALSE(run.Completed(i)) << found[i];
      continue;
    }
    ASSERT_TRUE(run.Completed(i)) << found[i];
    const std::string got = ToAnsi(form->ListView1->Items()->Item(i)->SubItems().Strings(1));
    const std::string bare = file.substr(file.rfind('/') + 1);
    if (taken.count(bare)) EXPECT_TRUE(IsNumberedName(got, bare)) << got;
    else EXPECT_EQ(got, bare);
    taken.insert(got);
    EXPECT_EQ(ReadFile(folder + FromAnsi(got)), ReadFile(CorpusPath(package + "/" + file))) << found[i];
    ASSERT_TRUE(local.emplace(address, got).second) << "two found lines name " << address;
    files.insert(FromAnsi(got));
  }

  EXPECT_EQ(ReadFile(sheet + L".bak"), raw);  // the file's own bytes, line ends and all
  const std::string after = ReadFile(sheet);
  EXPECT_EQ(MalformedUrl(after), "");
  EXPECT_EQ(after, Rewritten(raw, local));  // whole file: every other byte as on disk
  EXPECT_EQ(testsupport::NamesIn(folder), files);
}

INSTANTIATE_TEST_SUITE_P(Corpus, SheetCorpusTest, testing::ValuesIn(kCorpus),
                         [](const testing::TestParamInfo<CorpusSheet>& info) {
                           std::string id = std::string(info.param.package) + "_" + info.param.sheet;
                           for (char& c : id)
                             if (!std::isalnum(static_cast<unsigned char>(c))) c = '_';
                           return id;
                         });
