// Valid TOML documents of every shape a player or a mod tool may leave in mirefall.toml,
// read and saved and repaired by the store, then checked with an independent TOML parser:
// after a save or a repair the file must still be TOML, every setting must hold what the
// launcher meant and everything else what the document said (toml_documents_check.py).
#include <gtest/gtest.h>

#include <random>
#include <set>

#include "python_check.h"
#include "settings/config_repair.h"
#include "settings/config_writer.h"
#include "settings/settings_schema.h"
#include "settings/settings_schema_table.h"
#include "settings_fuzz_checks.h"
#include "temp_folder.h"

namespace mf::settings {
namespace {

namespace fs = std::filesystem;
using ::testing::PrintToString;

class TomlDocuments : public ::testing::Test {
 protected:
  void SetUp() override { MF_SKIP_WITHOUT_PYTHON_CHECKS(); }
  // With MF_KEEP_TOML_DOCUMENTS set to a folder, the files of a failed run are copied there.
  void TearDown() override {
    const char* keep = std::getenv("MF_KEEP_TOML_DOCUMENTS");
    std::error_code ignored;
    if (HasFailure() && keep) fs::copy(folder_.path(), keep, fs::copy_options::recursive, ignored);
  }

  // Saves and repairs the document as the launcher does, checks what needs no parser (a
  // second save or repair changes nothing) and leaves the files for the parser check.
  void AddDocument(const std::string& name, const std::string& document) {
    SCOPED_TRACE(name + ": " + PrintToString(document));
    std::string saved = fuzzing::SaveAfterReading(document, DefaultSettingRows());
    EXPECT_EQ(fuzzing::SaveAfterReading(saved, DefaultSettingRows()), saved) << "a second save changed the file";
    std::string repaired = RepairConfigText(document, DefaultSettingRows()).value_or(document);
    EXPECT_EQ(RepairConfigText(repaired, DefaultSettingRows()), std::nullopt) << "a second repair changed the file";

    testing::WriteBytes(folder_ / (name + ".before.toml"), document);
    testing::WriteBytes(folder_ / (name + ".saved.toml"), saved);
    testing::WriteBytes(folder_ / (name + ".repaired.toml"), repaired);
  }

  void CheckWithTomlParser() {
    testing::WriteBytes(folder_ / "defaults.toml", FormatConfigText(DefaultSettingRows(), {}));
    std::string launcherOnly;
    for (const SettingDef& row : DefaultSettingRows())
      if (IsLauncherOnlyKey(row.key)) launcherOnly += row.key + "\n";
    testing::WriteBytes(folder_ / "launcher_only.txt", launcherOnly);

    std::string output;
    int exitCode = testing::RunPythonCheck("toml_documents_check.py", "'" + folder_.path().string() + "'",
                                           folder_ / "report.txt", &output);
    if (exitCode == 77) GTEST_SKIP() << testing::kPython << " has no tomllib";
    EXPECT_EQ(exitCode, 0) << output;
  }

  testing::TempFolder folder_;
};

TEST_F(TomlDocuments, EachKindOfStatement) {
  const std::pair<const char*, std::string> documents[] = {
      {"array_over_lines", "mods = [\n  \"a\", # first\n  'b',\n]\nvsync = false\n"},
      {"nested_arrays_and_inline_tables",
       "grid = [[1, 2], [\n  3, 4 ] ]\npoint = { x = 1, \"y z\" = [1,\n 2], w.v = 'q' }\nfullscreen = true\n"},
      {"basic_string_over_lines_with_a_setting_lookalike",
       "notes = \"\"\"\nvsync = false\n[debug]\nfullscreen = true\"\"\"\nwindow_width = 800\n"},
      {"literal_string_over_lines", "script = '''\r\nvsync = false\r\n# not a comment\r\n'''\r\n"},
      {"setting_in_a_string_over_lines",
       "keybind_a = \"\"\"\nQ,\\\n   LMB\"\"\"\ntexture_path = '''\nC:\\mods\n'''\n"},
      {"one_line_triple_quoted_strings_with_quotes_and_hash",
       "keybind_a = \"\"\"a\"b#c\"\"\"\nkeybind_b = '''it's # not a comment'''\nkeybind_x = \"\"\"ends in quotes\"\"\"\"\"\n"},
      {"table_with_a_setting_name", "vsync = true\n[debug]\nvsync = false\ngame_data_root = 'elsewhere'\n"},
      {"only_tables", "[debug]\nvsync = false\n\n[[mods]]\nname = \"a\"\n[[mods]]\nname = \"b\"\n"},
      {"same_key_in_tables_and_at_the_top",
       "x = 1\n[a]\nx = 2\n[b.c]\nx = 3\n[[d]]\nx = 4\n[[d]]\nx = 5\n"},
      {"quoted_spellings_of_settings", "\"vsync\" = false\n'window_width' = 640\n\"fullscreen\"=true\n"},
      {"dotted_and_quoted_keys",
       "physics.gravity = 9.8\nphysics . wind = 1\n\"odd key\" = \"x\"\n'a.b' = 2\nsite.\"google.com\" = true\n"},
      {"comments_everywhere_crlf",
       "# top\r\n  vsync = false # off\r\n\r\n[t] # table\r\n  # inside\r\n  k = 'v' # c\r\n"},
      {"launcher_only_and_game_data_root",
       "launcher_language = \"uk\"\ngame_data_root = \"D:/games\"\n[t]\nlauncher_language = 'en'\n"},
      {"numbers_and_dates",
       "mnk_sensitivity = 2\nmnk_deadzone_floor = 0x1F\nlog_max_files = 1_0\nwhen = 1979-05-27 07:32:00Z\n"
       "at = 07:32:00\nbig = 9223372036854775807\nsmall = -9223372036854775808\nf = -inf\n"},
      {"escapes_in_keys_and_values",
       "\"tab\\tkey\" = \"\\u00e9\\U0001F600\"\nkeybind_y = \"\\\"#\\\\\"\nhid_mappings_file = 'C:\\db.txt'\n"},
      {"empty_document", ""},
  };
  for (const auto& [name, document] : documents) AddDocument(name, document);
  CheckWithTomlParser();
}

// Builds valid TOML documents at random from the pieces above.
class DocumentGenerator {
 public:
  explicit DocumentGenerator(std::uint32_t seed) : random_(seed) {}

  std::string Next() {
    lineEnd_ = Chance(30) ? "\r\n" : "\n";
    std::string document;
    std::vector<const SettingDef*> settings;
    topLevelKeys_.clear();
    for (const SettingDef& row : rows_)
      if (Chance(12) && topLevelKeys_.insert(row.key).second) settings.push_back(&row);
    std::shuffle(settings.begin(), settings.end(), random_);

    int unknownKeys = Pick(5);
    while (!settings.empty() || unknownKeys > 0) {
      if (Chance(15)) document += Chance(50) ? lineEnd_ : Indent() + "# vsync = false, said a comment" + lineEnd_;
      if (!settings.empty() && (unknownKeys == 0 || Chance(60))) {
        document += Indent() + Spelling(settings.back()->key) + " = " + SettingValue(*settings.back()) + Tail();
        settings.pop_back();
      } else {
        document += UnknownStatement();
        --unknownKeys;
      }
    }
    for (int tables = Pick(4); tables > 0; --tables) document += Table();
    return document;
  }

 private:
  int Pick(int bound) { return std::uniform_int_distribution<int>(0, bound - 1)(random_); }
  bool Chance(int percent) { return Pick(100) < percent; }
  template <typename T>
  const T& OneOf(const std::vector<T>& items) { return items[static_cast<size_t>(Pick(static_cast<int>(items.size())))]; }

  std::string Indent() { return OneOf<std::string>({"", "", "", "  ", "\t"}); }
  std::string Tail() { return (Chance(20) ? " # [note] = \"x\"" : "") + lineEnd_; }
  std::string FreshName(const char* prefix) { return prefix + std::to_string(++names_); }

  // A key as written: bare, or quoted either way.
  std::string Spelling(const std::string& key) {
    switch (Pick(4)) {
      case 0: return "\"" + key + "\"";
      case 1: return "'" + key + "'";
      default: return key;
    }
  }

  // Text for a string, with the characters that have broken line-based reading.
  std::string Content(bool multiLine) {
    static const std::vector<std::string> pieces = {
        "a", "Z9", " ", "#", "=", "[x]", "\"", "'", "\\", "\xC3\xA9", "\xD0\x87", "\t", "vsync = false", "# note", "{"};
    std::string text;
    for (int count = Pick(8); count > 0; --count) text += multiLine && Chance(20) ? std::string("\n") : OneOf(pieces);
    return text;
  }

  std::string StringValue() {
    bool multiLine = Chance(50);
    std::string content = Content(multiLine);
    std::string written;
    switch (Pick(4)) {
      case 0:  // "basic"
        for (char c : content) {
          if (c == '"' || c == '\\') written += '\\';
          if (c == '\n') written += "\\n";
          else written += c;
        }
        return "\"" + written + "\"";
      case 1:  // 'literal': no quote of its own, no line end
        for (char c : content)
          if (c != '\'' && c != '\n') written += c;
        return "'" + written + "'";
      case 2:  // """multi-line basic""": no three quotes in a row, a joined line now and then
        for (char c : content) {
          if (c == '\\' || (c == '"' && !written.empty() && written.back() == '"')) written += '\\';
          if (c == '\n') written += Chance(30) ? "\\" + lineEnd_ + "   " : lineEnd_;
          else written += c;
        }
        return "\"\"\"" + written + "\"\"\"";
      default:  // '''multi-line literal''': no three quotes in a row
        for (char c : content) {
          if (c == '\'' && !written.empty() && written.back() == '\'') continue;
          written += c == '\n' ? lineEnd_ : std::string(1, c);
        }
        return "'''" + written + "'''";
    }
  }

  std::string ScalarValue() {
    static const std::vector<std::string> scalars = {
        "true", "false", "0", "-17", "1_000", "0x1F", "0o17", "0b101", "+12", "9223372036854775807", "1.5", "-0.25",
        "1e3", "6.02E-2", "inf", "-inf", "1979-05-27T07:32:00Z", "1979-05-27 07:32:00", "07:32:00", "1979-05-27"};
    return OneOf(scalars);
  }

  std::string Value(int depth = 0) {
    int kind = Pick(depth < 2 ? 5 : 3);
    if (kind == 0) return StringValue();
    if (kind < 3) return ScalarValue();
    if (kind == 3) {  // an array, perhaps over lines, with comments and a trailing comma
      std::string array = "[";
      for (int count = Pick(4); count > 0; --count) {
        array += Chance(40) ? lineEnd_ + "  " : " ";
        array += Value(depth + 1) + ",";
        if (Chance(20)) array += " # ]" + lineEnd_;
      }
      return array + (Chance(50) ? lineEnd_ : "") + "]";
    }
    std::string table = "{";  // an inline table, on one line apart from its values
    for (int count = Pick(3); count > 0; --count)
      table += std::string(table.size() > 1 ? ", " : " ") + Spelling(FreshName("i")) + " = " + Value(depth + 1);
    return table + " }";
  }

  std::string SettingValue(const SettingDef& row) {
    switch (row.kind) {
      case SettingKind::Bool: return Chance(50) ? "true" : "false";
      case SettingKind::Int: return OneOf<std::string>({"0", "7", "-3", "1_000", "0x1F", "+12", "9223372036854775807"});
      case SettingKind::Float: return OneOf<std::string>({"1.5", "-0.25", "2", "1e3", "6.02E-2", "inf", "3_000.5"});
      case SettingKind::Choice:
        if (IsNumericChoiceValueOfRow(row)) return OneOf<std::string>({"0", "1", "-1", "4"});
        break;
      case SettingKind::Text: break;
    }
    return StringValue();
  }

  static bool IsNumericChoiceValueOfRow(const SettingDef& row) {
    return !row.value.empty() && row.value.find_first_not_of("-0123456789") == std::string::npos;
  }

  std::string UnknownStatement() {
    switch (Pick(6)) {
      case 0: {  // a few dotted keys sharing a group no other key uses
        std::string group = FreshName("g"), lines;
        for (int count = 1 + Pick(3); count > 0; --count)
          lines += Indent() + group + (Chance(50) ? "." : " . ") + Spelling(FreshName("k")) + " = " + Value() + Tail();
        return lines;
      }
      case 1: return Indent() + "\"" + FreshName("u ") + " spaced\" = " + Value() + Tail();
      case 2: {  // keys the writer drops, each at most once among the settings
        std::string key = OneOf<std::string>({"launcher_language", "launcher_prompt_style", "game_data_root"});
        if (topLevelKeys_.insert(key).second) return key + " = " + StringValue() + Tail();
        return UnknownStatement();
      }
      default: return Indent() + Spelling(FreshName("u")) + " = " + Value() + Tail();
    }
  }

  // A [table] or a run of [[array]] tables, whose keys include setting names.
  std::string Table() {
    bool arrayOfTables = Chance(40);
    std::string name = Chance(30) ? FreshName("t") + "." + Spelling(FreshName("s")) : Spelling(FreshName("t"));
    std::string text;
    for (int copies = arrayOfTables ? 1 + Pick(3) : 1; copies > 0; --copies) {
      text += Indent() + (arrayOfTables ? "[[" + name + "]]" : "[" + name + "]") + Tail();
      std::set<std::string> used;
      for (int count = Pick(5); count > 0; --count) {
        std::string key = Chance(50) ? OneOf(rows_).key : Chance(20) ? std::string("game_data_root") : FreshName("u");
        if (!used.insert(key).second) continue;
        text += Indent() + Spelling(key) + " = " + Value() + Tail();
      }
    }
    return text;
  }

  std::mt19937 random_;
  std::string lineEnd_;
  int names_ = 0;
  std::set<std::string> topLevelKeys_;
  const std::vector<SettingDef> rows_ = DefaultSettingRows();
};

TEST_F(TomlDocuments, RandomDocuments) {
  DocumentGenerator generator(20261210);  // fixed, so a failure repeats
  for (int i = 0; i < 300; ++i) {
    AddDocument("random_" + std::to_string(i), generator.Next());
    if (HasFailure()) break;
  }
  CheckWithTomlParser();
}

}  // namespace
}  // namespace mf::settings
