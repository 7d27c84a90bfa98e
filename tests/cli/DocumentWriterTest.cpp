#include <gtest/gtest.h>

#include <algorithm>
#include <nlohmann/json.hpp>
#include <sstream>
#include <stdexcept>

#include "JsonText.h"

namespace {

using Json = nlohmann::ordered_json;

bool isPlain(const Json& value) {
    return !value.is_object() && !value.is_array();
}

// How a command decides what to open: the JSON writer every container with entries, the text
// writer every one that text does not show on one line (a list of plain values, a list item of
// plain fields), which it gives whole.
enum class Opens { everyContainer, containersNotShownFlat };

bool opened(Opens opens, const Json& value, bool inArray) {
    if (isPlain(value) || value.empty()) return false;
    if (opens == Opens::everyContainer) return true;
    const bool flat = std::all_of(value.begin(), value.end(), isPlain);
    return !(flat && (value.is_array() || inArray));
}

// Gives `value` to the writer as find and graph do: the containers it opens entry by entry, strings
// and integers by themselves (with their key as one field in an object), every other value whole.
void stream(DocumentWriter& writer, Opens opens, const Json& value, bool inArray = false) {
    if (value.is_string()) {
        writer.text(value.get<std::string>());
    } else if (value.is_number_integer()) {
        writer.number(value.get<std::int64_t>());
    } else if (!opened(opens, value, inArray)) {
        writer.value(value);
    } else if (value.is_array()) {
        writer.beginArray();
        for (const Json& item : value)
            stream(writer, opens, item, true);
        writer.end();
    } else {
        writer.beginObject();
        for (auto it = value.begin(); it != value.end(); ++it) {
            if (it->is_string()) {
                writer.textField(it.key(), it->get<std::string>());
            } else if (it->is_number_integer()) {
                writer.numberField(it.key(), it->get<std::int64_t>());
            } else {
                writer.key(it.key());
                stream(writer, opens, *it);
            }
        }
        writer.end();
    }
}

std::string streamed(std::unique_ptr<DocumentWriter> (*make)(std::ostream&), Opens opens,
                     const Json& document) {
    std::ostringstream out;
    stream(*make(out), opens, document);
    return out.str();
}

// Each document streamed gives the bytes of the whole document: nlohmann's dump as --json prints it,
// and the text of printJsonAsText.
TEST(DocumentWriterTest, StreamsTheBytesOfTheWholeDocument) {
    const Json documents[] = {
        Json::object(),
        Json::parse(R"({"a": 1, "b": [], "c": {}, "d": [[]], "e": [{}]})"),
        Json::parse(R"([[1.5, -0.0, 1e300], [true, null], {"x": "tab\t\"quote\" \u00e9"}])"),
        Json::parse(R"({"track": "Rivaldi", "count": "2", "rows": [
            {"columns": ["M Tanaka", "1m 16.236s"], "path": "/r/a.rpy", "driver": 0, "lap": 1},
            {"columns": ["J Berg", "1m 17.000s"], "path": "/r/b.rpy", "driver": 3, "lap": 12}],
            "messages": [{"caption": "c", "text": "t"}]})"),
        Json::parse(R"({"curves": [{"lap": "L", "points": [[0.125, 47.346], [0.5, 49.7]]},
            {"lap": "K", "points": []}], "difference": {"points": [[1, 2]], "spread": "0.1"}})"),
        Json::parse(R"({"outer": {"inner": {"deep": [[1, [2, 3]], {"k": {"v": 1}}]}}})"),
    };
    for (const Json& document : documents) {
        EXPECT_EQ(streamed(jsonWriter, Opens::everyContainer, document),
                  document.dump(2, ' ', false, Json::error_handler_t::replace) + "\n")
            << document.dump();
        std::ostringstream text;
        printJsonAsText(text, document);
        EXPECT_EQ(streamed(textWriter, Opens::containersNotShownFlat, document), text.str())
            << document.dump();
    }
}

// Bytes that are not UTF-8, in keys and values, become U+FFFD as in the whole document.
TEST(DocumentWriterTest, ReplacesBytesThatAreNotUtf8) {
    std::ostringstream out;
    const auto writer = jsonWriter(out);
    writer->beginObject();
    writer->key("n\xE9");
    writer->beginArray();
    writer->value({{"file", "caf\xE9.rpy"}});
    writer->text("caf\xE9\n");
    writer->end();
    writer->end();
    EXPECT_EQ(out.str(),
              "{\n  \"n\xEF\xBF\xBD\": [\n    {\n      \"file\": \"caf\xEF\xBF\xBD.rpy\"\n    },\n    "
              "\"caf\xEF\xBF\xBD\\n\"\n  ]\n}\n");
}

// An exception through a JSON document half written leaves nothing of it in the output.
TEST(DocumentWriterTest, AnExceptionDropsTheDocumentHalfWritten) {
    std::ostringstream out;
    try {
        const auto writer = jsonWriter(out);
        writer->beginObject();
        writer->textField("track", "Rivaldi");
        throw std::runtime_error("a replay gave way");
    } catch (const std::runtime_error&) {
    }
    EXPECT_EQ(out.str(), "");
}

}  // namespace
