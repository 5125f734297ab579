// Resource-script lexer and preprocessor.
#include "ui/rc/rc_lexer.h"

#include <algorithm>
#include <array>
#include <cctype>
#include <string_view>

namespace ui::rc {

namespace {

// Headers whose names the compiler knows itself; including them adds nothing.
constexpr std::array<std::string_view, 5> k_builtin_headers = {"afxres.h", "winres.h", "windows.h",
                                                               "winresrc.h", "winuser.h"};

bool is_name_start(char c) {
    return std::isalpha(static_cast<unsigned char>(c)) || c == '_';
}
bool is_name_char(char c) {
    return std::isalnum(static_cast<unsigned char>(c)) || c == '_';
}

std::string folder_of(const std::string& path) {
    const auto slash = path.find_last_of("/\\");
    return slash == std::string::npos ? std::string() : path.substr(0, slash + 1);
}

std::string trim(const std::string& s) {
    const auto b = s.find_first_not_of(" \t\r");
    if (b == std::string::npos)
        return {};
    const auto e = s.find_last_not_of(" \t\r");
    return s.substr(b, e - b + 1);
}

} // namespace

Lexer::Lexer(const std::string& text, const std::string& file_name, FileReader read_file,
             std::vector<std::string> include_dirs)
    : m_read_file(std::move(read_file)), m_include_dirs(std::move(include_dirs)) {
    m_sources.push_back(std::make_unique<Source>(Source{text, file_name}));
}

bool Lexer::skipping() const {
    for (const auto& c : m_conditions)
        if (!c.active)
            return true;
    return false;
}

std::pair<std::string, std::string> Lexer::open_relative(const std::string& raw_name,
                                                         const Location& where) const {
    std::string name = raw_name;
    for (auto& c : name)
        if (c == '\\')
            c = '/';
    std::vector<std::string> candidates;
    if (!name.empty() && name[0] == '/')
        candidates.push_back(name);
    else {
        candidates.push_back(folder_of(where.file) + name);
        for (const auto& dir : m_include_dirs)
            candidates.push_back(dir + "/" + name);
    }
    for (const auto& path : candidates)
        if (auto content = m_read_file ? m_read_file(path) : std::nullopt)
            return {path, *content};
    throw CompileError(where, "cannot open '" + raw_name + "'");
}

std::string Lexer::rest_of_line(Source& s) {
    std::string out;
    while (s.pos < s.text.size() && s.text[s.pos] != '\n') {
        // A backslash at the end of a line continues the directive.
        if (s.text[s.pos] == '\\' && s.pos + 1 < s.text.size() && s.text[s.pos + 1] == '\n') {
            s.pos += 2;
            ++s.line;
            continue;
        }
        out += s.text[s.pos++];
    }
    // Drop a trailing // comment.
    if (auto c = out.find("//"); c != std::string::npos)
        out.erase(c);
    return out;
}

void Lexer::directive(Source& s) {
    const Location where{s.file, s.line};
    ++s.pos; // '#'
    std::string line = trim(rest_of_line(s));
    std::size_t i = 0;
    while (i < line.size() && is_name_char(line[i]))
        ++i;
    const std::string word = line.substr(0, i);
    const std::string arg = trim(line.substr(i));

    if (word == "endif") {
        if (m_conditions.empty())
            throw CompileError(where, "#endif without #if");
        m_conditions.pop_back();
        return;
    }
    if (word == "else") {
        if (m_conditions.empty() || m_conditions.back().seen_else)
            throw CompileError(where, "#else without #if");
        m_conditions.back().active = !m_conditions.back().active;
        m_conditions.back().seen_else = true;
        return;
    }
    if (word == "ifdef" || word == "ifndef") {
        const bool defined = m_defines.count(arg) != 0;
        m_conditions.push_back({word == "ifdef" ? defined : !defined, false, where});
        return;
    }
    if (word == "if") {
        bool value = false;
        if (arg == "0" || arg == "1")
            value = arg == "1";
        else if (arg.rfind("defined", 0) == 0) {
            std::string name = arg.substr(7);
            name.erase(std::remove_if(name.begin(), name.end(),
                                      [](char c) { return c == '(' || c == ')' || c == ' '; }),
                       name.end());
            value = m_defines.count(name) != 0;
        } else
            throw CompileError(where, "#if supports only 0, 1 and defined(NAME)");
        m_conditions.push_back({value, false, where});
        return;
    }
    if (skipping())
        return;
    if (word == "pragma")
        return;
    if (word == "define") {
        std::size_t n = 0;
        while (n < arg.size() && is_name_char(arg[n]))
            ++n;
        if (n == 0 || !is_name_start(arg[0]))
            throw CompileError(where, "#define needs a name");
        const std::string name = arg.substr(0, n);
        Source value_source{arg.substr(n), where.file};
        value_source.line = where.line;
        value_source.at_line_start = false;
        std::vector<Token> tokens;
        for (Token t = lex_one(value_source); t.kind != TokenKind::end; t = lex_one(value_source))
            tokens.push_back(std::move(t));
        m_defines[name] = std::move(tokens);
        return;
    }
    if (word == "undef") {
        m_defines.erase(arg);
        return;
    }
    if (word == "include") {
        if (arg.size() < 2 || !((arg.front() == '"' && arg.back() == '"') ||
                                (arg.front() == '<' && arg.back() == '>')))
            throw CompileError(where, "#include needs a \"file\"");
        const std::string name = arg.substr(1, arg.size() - 2);
        for (auto builtin : k_builtin_headers)
            if (name == builtin)
                return;
        if (m_sources.size() > 32)
            throw CompileError(where, "#include nested too deeply");
        auto [path, content] = open_relative(name, where);
        m_sources.push_back(std::make_unique<Source>(Source{std::move(content), path}));
        m_switched_source = true;
        return;
    }
    throw CompileError(where, "unknown directive #" + word);
}

void Lexer::skip_blanks_and_comments(Source& s) {
    while (s.pos < s.text.size()) {
        const char c = s.text[s.pos];
        if (c == '\n') {
            ++s.line;
            ++s.pos;
            s.at_line_start = true;
        } else if (c == ' ' || c == '\t' || c == '\r' || c == '\f') {
            ++s.pos;
        } else if (c == '/' && s.pos + 1 < s.text.size() && s.text[s.pos + 1] == '/') {
            while (s.pos < s.text.size() && s.text[s.pos] != '\n')
                ++s.pos;
        } else if (c == '/' && s.pos + 1 < s.text.size() && s.text[s.pos + 1] == '*') {
            const Location where{s.file, s.line};
            s.pos += 2;
            while (s.pos + 1 < s.text.size() &&
                   !(s.text[s.pos] == '*' && s.text[s.pos + 1] == '/')) {
                if (s.text[s.pos] == '\n')
                    ++s.line;
                ++s.pos;
            }
            if (s.pos + 1 >= s.text.size())
                throw CompileError(where, "unterminated comment");
            s.pos += 2;
        } else {
            return;
        }
    }
}

std::string Lexer::lex_string(Source& s, const Location& where) {
    std::string out;
    bool terminated_by_zero = false;
    ++s.pos; // opening quote
    for (;;) {
        if (s.pos >= s.text.size() || s.text[s.pos] == '\n')
            throw CompileError(where, "unterminated string");
        char c = s.text[s.pos++];
        if (c == '"') {
            if (s.pos < s.text.size() && s.text[s.pos] == '"') { // "" is one quote
                ++s.pos;
                c = '"';
            } else {
                break;
            }
        } else if (c == '\\') {
            if (s.pos >= s.text.size())
                throw CompileError(where, "unterminated string");
            const char e = s.text[s.pos++];
            switch (e) {
            case 'n':
                c = '\n';
                break;
            case 't':
                c = '\t';
                break;
            case 'r':
                c = '\r';
                break;
            case 'a':
                c = '\a';
                break;
            case '\\':
                c = '\\';
                break;
            case '"':
                c = '"';
                break;
            case 'x': {
                int value = 0, digits = 0;
                while (digits < 2 && s.pos < s.text.size() &&
                       std::isxdigit(static_cast<unsigned char>(s.text[s.pos]))) {
                    const char h = s.text[s.pos++];
                    value =
                        value * 16 + (std::isdigit(static_cast<unsigned char>(h))
                                          ? h - '0'
                                          : std::tolower(static_cast<unsigned char>(h)) - 'a' + 10);
                    ++digits;
                }
                if (digits == 0)
                    throw CompileError(where, "\\x needs hex digits");
                c = static_cast<char>(value);
                break;
            }
            default:
                if (e >= '0' && e <= '7') {
                    int value = e - '0', digits = 1;
                    while (digits < 3 && s.pos < s.text.size() && s.text[s.pos] >= '0' &&
                           s.text[s.pos] <= '7') {
                        value = value * 8 + (s.text[s.pos++] - '0');
                        ++digits;
                    }
                    c = static_cast<char>(value);
                } else {
                    throw CompileError(where, std::string("unknown escape \\") + e);
                }
            }
        }
        // A zero ends the value, as the strings of version blocks use it.
        if (c == '\0')
            terminated_by_zero = true;
        if (!terminated_by_zero)
            out += c;
    }
    return out;
}

Token Lexer::lex_one(Source& s) {
    for (;;) {
        skip_blanks_and_comments(s);
        if (s.pos >= s.text.size())
            return Token{TokenKind::end, "", 0, {s.file, s.line}};
        if (s.text[s.pos] == '#' && s.at_line_start) {
            directive(s);
            if (m_switched_source)
                return Token{TokenKind::end, "", 0, {s.file, s.line}};
            continue;
        }
        s.at_line_start = false;
        Token t;
        t.where = {s.file, s.line};
        const char c = s.text[s.pos];
        if (skipping()) {
            // Inside a false conditional: drop the rest of the line.
            while (s.pos < s.text.size() && s.text[s.pos] != '\n')
                ++s.pos;
            continue;
        }
        if (is_name_start(c)) {
            const auto start = s.pos;
            while (s.pos < s.text.size() && is_name_char(s.text[s.pos]))
                ++s.pos;
            t.kind = TokenKind::name;
            t.text = s.text.substr(start, s.pos - start);
            return t;
        }
        if (std::isdigit(static_cast<unsigned char>(c))) {
            const auto start = s.pos;
            int base = 10;
            if (c == '0' && s.pos + 1 < s.text.size() &&
                (s.text[s.pos + 1] == 'x' || s.text[s.pos + 1] == 'X')) {
                base = 16;
                s.pos += 2;
            }
            unsigned long long value = 0;
            std::size_t digits = 0;
            while (s.pos < s.text.size() &&
                   std::isxdigit(static_cast<unsigned char>(s.text[s.pos]))) {
                const char d = s.text[s.pos];
                const int v = std::isdigit(static_cast<unsigned char>(d))
                                  ? d - '0'
                                  : std::tolower(static_cast<unsigned char>(d)) - 'a' + 10;
                if (v >= base)
                    break;
                value = value * static_cast<unsigned>(base) + static_cast<unsigned>(v);
                if (value > 0xFFFFFFFFull)
                    throw CompileError(t.where, "number too large");
                ++s.pos;
                ++digits;
            }
            if (base == 16 && digits == 0)
                throw CompileError(t.where, "0x needs hex digits");
            while (s.pos < s.text.size() && (s.text[s.pos] == 'L' || s.text[s.pos] == 'l' ||
                                             s.text[s.pos] == 'U' || s.text[s.pos] == 'u'))
                ++s.pos;
            if (s.pos < s.text.size() && is_name_char(s.text[s.pos]))
                throw CompileError(t.where,
                                   "bad number '" + s.text.substr(start, s.pos - start + 1) + "'");
            t.kind = TokenKind::number;
            t.number = static_cast<long long>(value);
            t.text = s.text.substr(start, s.pos - start);
            return t;
        }
        if (c == '"') {
            t.kind = TokenKind::string;
            t.text = lex_string(s, t.where);
            return t;
        }
        if (c == ',' || c == '|' || c == '(' || c == ')' || c == '-' || c == '+' || c == '~' ||
            c == '{' || c == '}') {
            ++s.pos;
            t.kind = TokenKind::punct;
            t.text = std::string(1, c);
            return t;
        }
        throw CompileError(t.where, std::string("unexpected character '") + c + "'");
    }
}

Token Lexer::next() {
    while (!m_sources.empty()) {
        Source& s = *m_sources.back();
        Token t = lex_one(s);
        if (t.kind != TokenKind::end)
            return t;
        if (m_switched_source) {
            m_switched_source = false;
            continue; // go on in the included file
        }
        if (m_sources.size() == 1) {
            if (!m_conditions.empty())
                throw CompileError(m_conditions.back().where, "#if without #endif");
            return t;
        }
        m_sources.pop_back();
    }
    return Token{};
}

} // namespace ui::rc
