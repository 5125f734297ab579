// The resource-script parser: statements to resource data.
#pragma once

#include "ui/rc/rc_lexer.h"

#include <optional>

namespace ui::rc {

class Parser {
public:
    explicit Parser(Lexer& lexer) : m_lexer(lexer) {}
    // A parser over the tokens of a #define, for its value; expanding lists the names being
    // expanded already.
    Parser(Lexer& lexer, std::vector<Token> tokens, Location end,
           std::vector<std::string> expanding);
    // Parses the whole script; throws CompileError on the first fault.
    res::Module parse();

private:
    const Token& peek();
    Token take();
    Token expect_punct(const char* punct);
    Token expect_string(const char* what);
    bool accept_punct(const char* punct);
    bool peek_name(const char* name);
    void expect_name(const char* name);
    [[noreturn]] void fail(const Token& at, const std::string& message);

    // Expressions: numbers, names, -, ~, ( ), | and +; NOT clears bits from what came before.
    long long expression(long long initial = 0);
    long long primary();
    long long name_value(const Token& name);
    int resource_id(const Token& first);

    void language(res::Module& module);
    void icon_resource(res::Module& module, int id, const Token& at);
    void dialog(res::Module& module, int id, bool extended, const Token& at);
    void dialog_controls(model::DialogTemplate& d);
    void string_table(res::Module& module);
    void version_info(res::Module& module, int id);
    void version_block(res::VersionInfo& info, int depth);
    void skip_memory_options();

    Lexer& m_lexer;
    std::optional<std::vector<Token>> m_tokens; // set when parsing a #define's value
    std::size_t m_token_index = 0;
    Location m_tokens_end;
    Token m_peeked;
    bool m_has_peeked = false;
    int m_depth = 0;                      // nesting of parentheses and unary operators
    std::vector<std::string> m_expanding; // macro names being expanded, to catch recursion
};

} // namespace ui::rc
