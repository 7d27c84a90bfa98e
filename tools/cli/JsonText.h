#pragma once

#include <cstdint>
#include <functional>
#include <memory>
#include <nlohmann/json.hpp>
#include <ostream>
#include <string_view>

#include "CliApp.h"

// Writes a JSON document as indented "key: value" text for people: arrays of plain values on one
// line, list items of plain fields as one "{key: value, ...}" line.
void printJsonAsText(std::ostream& out, const nlohmann::ordered_json& value);

// A command's result: as JSON with --json, else text, by `text` when given and as printJsonAsText
// shows it otherwise.
void printDocument(const CliArgs& args, CliContext& context, const nlohmann::ordered_json& document,
                   const std::function<void(std::ostream&)>& text = {});

// Writes a document as it is produced, so output that grows with the input is never held whole:
// the same bytes as the whole document would give, as JSON or as printJsonAsText's text. Text shows a
// container opened here entry by entry, never on one line as it shows a flat one (a list of plain
// values, a list item of plain fields): where text matters such a container is given whole to value().
class DocumentWriter {
public:
    virtual ~DocumentWriter() = default;
    virtual void beginObject() = 0;
    virtual void beginArray() = 0;
    // Closes the innermost open container; closing the outermost ends the document.
    virtual void end() = 0;
    // The name of the next value in an object.
    virtual void key(std::string_view name) = 0;
    // A whole value, small enough to be held.
    virtual void value(const nlohmann::ordered_json& value) = 0;
    // A string and an integer, written without making a JSON value of them first.
    virtual void text(std::string_view text) = 0;
    virtual void number(std::int64_t number) = 0;

    void field(std::string_view name, const nlohmann::ordered_json& fieldValue) {
        key(name);
        value(fieldValue);
    }
    void textField(std::string_view name, std::string_view fieldText) {
        key(name);
        text(fieldText);
    }
    void numberField(std::string_view name, std::int64_t fieldNumber) {
        key(name);
        number(fieldNumber);
    }
};

// JSON with --json, else text.
std::unique_ptr<DocumentWriter> documentWriter(const CliArgs& args, std::ostream& out);
// As nlohmann's dump with an indent of 2; file and folder names come through pathText, and any other
// byte that is not UTF-8 becomes U+FFFD, so the document is valid JSON whatever a file held.
std::unique_ptr<DocumentWriter> jsonWriter(std::ostream& out);
std::unique_ptr<DocumentWriter> textWriter(std::ostream& out);
