// Tokens of a resource script, with the preprocessor's #include, #define and conditionals.
#pragma once

#include "ui/rc/rc_compiler.h"

#include <map>
#include <memory>
#include <stdexcept>
#include <string>
#include <vector>

namespace ui::rc {

struct Location {
    std::string file;
    int line = 0;
};

// Thrown inside the compiler only; compile() turns it into CompileResult::error.
class CompileError : public std::runtime_error {
public:
    CompileError(const Location& where, const std::string& message)
        : std::runtime_error(where.file + ":" + std::to_string(where.line) + ": " + message) {}
};

enum class TokenKind { end, name, number, string, punct };

struct Token {
    TokenKind kind = TokenKind::end;
    std::string text; // name, punctuation, or the string's decoded value
    long long number = 0;
    Location where;
};

class Lexer {
public:
    Lexer(const std::string& text, const std::string& file_name, FileReader read_file,
          std::vector<std::string> include_dirs);

    Token next();
    // #define values seen so far, as token lists.
    const std::map<std::string, std::vector<Token>>& defines() const { return m_defines; }
    // Resolves a file named in the script relative to where; throws when it cannot be read.
    std::pair<std::string, std::string> open_relative(const std::string& name,
                                                      const Location& where) const;

private:
    struct Source {
        std::string text;
        std::string file;
        std::size_t pos = 0;
        int line = 1;
        bool at_line_start = true;
    };
    struct Condition {
        bool active;
        bool seen_else;
        Location where;
    };

    Token lex_one(Source& s);
    void directive(Source& s);
    std::string rest_of_line(Source& s);
    bool skipping() const;
    void skip_blanks_and_comments(Source& s);
    std::string lex_string(Source& s, const Location& where);

    std::vector<std::unique_ptr<Source>> m_sources;
    std::vector<Condition> m_conditions;
    bool m_switched_source = false; // an #include pushed a source in the middle of lex_one
    std::map<std::string, std::vector<Token>> m_defines;
    FileReader m_read_file;
    std::vector<std::string> m_include_dirs;
};

} // namespace ui::rc
