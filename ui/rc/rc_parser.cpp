// Resource-script statements: LANGUAGE, ICON, DIALOG, DIALOGEX, STRINGTABLE, VERSIONINFO.
#include "ui/rc/rc_parser.h"
#include "ui/model/window_styles.h"
#include "ui/res/ico_decoder.h"

#include <algorithm>
#include <array>

namespace ui::rc {

namespace {

using namespace ui::model::style;

struct BuiltinName {
    std::string_view name;
    long long value;
};

// Names the compiler knows without a header: dialog results, version and language constants.
constexpr std::array<BuiltinName, 22> k_builtin_names = {{
    {"IDOK", 1},
    {"IDCANCEL", 2},
    {"IDABORT", 3},
    {"IDRETRY", 4},
    {"IDIGNORE", 5},
    {"IDYES", 6},
    {"IDNO", 7},
    {"IDC_STATIC", -1},
    {"VS_VERSION_INFO", 1},
    {"VS_FFI_FILEFLAGSMASK", 0x3F},
    {"VS_FF_DEBUG", 1},
    {"VOS__WINDOWS32", 0x4},
    {"VOS_NT_WINDOWS32", 0x40004},
    {"VFT_APP", 1},
    {"VFT_DLL", 2},
    {"VFT2_UNKNOWN", 0},
    {"LANG_NEUTRAL", 0},
    {"LANG_ENGLISH", 9},
    {"SUBLANG_NEUTRAL", 0},
    {"SUBLANG_DEFAULT", 1},
    {"SUBLANG_ENGLISH_US", 1},
    {"ID_HELP", 0xE146},
}};

constexpr std::array<std::string_view, 7> k_memory_options = {
    "DISCARDABLE", "MOVEABLE", "FIXED", "PURE", "IMPURE", "PRELOAD", "LOADONCALL"};

struct ControlKeyword {
    std::string_view keyword;
    std::string_view class_name;
    std::uint32_t default_style;
};

constexpr std::array<ControlKeyword, 5> k_text_controls = {{
    {"LTEXT", "STATIC", SS_LEFT | WS_GROUP},
    {"RTEXT", "STATIC", SS_RIGHT | WS_GROUP},
    {"CTEXT", "STATIC", SS_CENTER | WS_GROUP},
    {"PUSHBUTTON", "BUTTON", BS_PUSHBUTTON | WS_TABSTOP},
    {"DEFPUSHBUTTON", "BUTTON", BS_DEFPUSHBUTTON | WS_TABSTOP},
}};

bool is_begin(const Token& t) {
    return (t.kind == TokenKind::name && t.text == "BEGIN") ||
           (t.kind == TokenKind::punct && t.text == "{");
}
bool is_end(const Token& t) {
    return (t.kind == TokenKind::name && t.text == "END") ||
           (t.kind == TokenKind::punct && t.text == "}");
}

} // namespace

Parser::Parser(Lexer& lexer, std::vector<Token> tokens, Location end,
               std::vector<std::string> expanding)
    : m_lexer(lexer), m_tokens(std::move(tokens)), m_tokens_end(std::move(end)),
      m_expanding(std::move(expanding)) {}

const Token& Parser::peek() {
    if (!m_has_peeked) {
        if (m_tokens) {
            if (m_token_index < m_tokens->size()) {
                m_peeked = (*m_tokens)[m_token_index++];
            } else {
                m_peeked = Token{};
                m_peeked.where = m_tokens_end;
            }
        } else {
            m_peeked = m_lexer.next();
        }
        m_has_peeked = true;
    }
    return m_peeked;
}

Token Parser::take() {
    Token t = peek();
    m_has_peeked = false;
    return t;
}

void Parser::fail(const Token& at, const std::string& message) {
    throw CompileError(at.where, message);
}

bool Parser::accept_punct(const char* punct) {
    if (peek().kind == TokenKind::punct && peek().text == punct) {
        take();
        return true;
    }
    return false;
}

Token Parser::expect_punct(const char* punct) {
    if (peek().kind != TokenKind::punct || peek().text != punct)
        fail(peek(), std::string("expected '") + punct + "'");
    return take();
}

Token Parser::expect_string(const char* what) {
    if (peek().kind != TokenKind::string)
        fail(peek(), std::string("expected ") + what + " in double quotes");
    return take();
}

bool Parser::peek_name(const char* name) {
    return peek().kind == TokenKind::name && peek().text == name;
}

void Parser::expect_name(const char* name) {
    if (!peek_name(name))
        fail(peek(), std::string("expected ") + name);
    take();
}

long long Parser::name_value(const Token& name) {
    const auto& defines = m_lexer.defines();
    if (auto it = defines.find(name.text); it != defines.end()) {
        if (std::find(m_expanding.begin(), m_expanding.end(), name.text) != m_expanding.end())
            fail(name, "'" + name.text + "' is defined in terms of itself");
        if (it->second.empty())
            fail(name, "'" + name.text + "' is defined without a value");
        if (m_expanding.size() > 32)
            fail(name, "#define values nested too deeply");
        auto expanding = m_expanding;
        expanding.push_back(name.text);
        Parser value_parser(m_lexer, it->second, name.where, std::move(expanding));
        const long long value = value_parser.expression();
        if (value_parser.peek().kind != TokenKind::end)
            fail(name, "'" + name.text + "' is not a constant expression");
        return value;
    }
    if (auto style = model::find_style(name.text))
        return *style;
    for (const auto& builtin : k_builtin_names)
        if (builtin.name == name.text)
            return builtin.value;
    fail(name, "undefined symbol '" + name.text + "'");
}

long long Parser::primary() {
    Token t = take();
    // Deep nesting would only exhaust the stack; no real script comes near this.
    struct DepthGuard {
        int& depth;
        explicit DepthGuard(int& d) : depth(++d) {}
        ~DepthGuard() { --depth; }
    } guard(m_depth);
    if (m_depth > 64)
        fail(t, "expression nested too deeply");
    if (t.kind == TokenKind::number)
        return t.number;
    if (t.kind == TokenKind::name)
        return name_value(t);
    if (t.kind == TokenKind::punct) {
        if (t.text == "-")
            return -primary();
        if (t.text == "~")
            return ~primary() & 0xFFFFFFFFll;
        if (t.text == "(") {
            const long long v = expression();
            expect_punct(")");
            return v;
        }
    }
    fail(t, t.kind == TokenKind::end ? "unexpected end of file" : "expected a number or a name");
}

long long Parser::expression(long long initial) {
    long long value = initial;
    bool add = false;
    for (;;) {
        const bool negate = peek_name("NOT");
        if (negate)
            take();
        const long long term = primary();
        if (negate)
            value &= ~term;
        else if (add)
            value += term;
        else
            value |= term;
        if (accept_punct("|")) {
            add = false;
            continue;
        }
        if (accept_punct("+")) {
            add = true;
            continue;
        }
        return value;
    }
}

int Parser::resource_id(const Token& first) {
    if (first.kind == TokenKind::number)
        return static_cast<int>(first.number);
    if (first.kind == TokenKind::name)
        return static_cast<int>(name_value(first));
    fail(first, "expected a resource id");
}

void Parser::skip_memory_options() {
    while (peek().kind == TokenKind::name &&
           std::find(k_memory_options.begin(), k_memory_options.end(), peek().text) !=
               k_memory_options.end())
        take();
}

res::Module Parser::parse() {
    res::Module module;
    for (;;) {
        const Token t = take();
        if (t.kind == TokenKind::end)
            return module;
        if (t.kind == TokenKind::name && t.text == "LANGUAGE") {
            language(module);
            continue;
        }
        if (t.kind == TokenKind::name && t.text == "STRINGTABLE") {
            string_table(module);
            continue;
        }
        const int id = resource_id(t);
        const Token type = take();
        if (type.kind != TokenKind::name)
            fail(type, "expected a resource type after the id");
        if (type.text == "ICON")
            icon_resource(module, id, type);
        else if (type.text == "DIALOG" || type.text == "DIALOGEX")
            dialog(module, id, type.text == "DIALOGEX", type);
        else if (type.text == "VERSIONINFO")
            version_info(module, id);
        else
            fail(type, "unsupported resource type '" + type.text + "'");
    }
}

void Parser::language(res::Module& module) {
    const long long primary_language = expression();
    expect_punct(",");
    const long long sub_language = expression();
    module.language = static_cast<int>((sub_language << 10) | primary_language);
}

void Parser::icon_resource(res::Module& module, int id, const Token& at) {
    skip_memory_options();
    const Token file = expect_string("an icon file name");
    auto [path, content] = m_lexer.open_relative(file.text, file.where);
    const auto* bytes = reinterpret_cast<const std::uint8_t*>(content.data());
    const auto decoded = res::decode_ico(bytes, content.size());
    if (!decoded.icon)
        fail(file, "'" + file.text + "' is not a usable icon: " + decoded.error);
    if (module.find_icon(id) != nullptr)
        fail(at, "icon " + std::to_string(id) + " defined twice");
    module.icons.push_back({id, std::vector<std::uint8_t>(bytes, bytes + content.size())});
}

void Parser::string_table(res::Module& module) {
    skip_memory_options();
    while (peek_name("LANGUAGE") || peek_name("CHARACTERISTICS") || peek_name("VERSION")) {
        take();
        expression();
        if (accept_punct(","))
            expression();
    }
    if (!is_begin(take()))
        fail(m_peeked, "expected BEGIN");
    while (!is_end(peek())) {
        const int id = static_cast<int>(expression());
        accept_punct(",");
        const Token text = expect_string("a string");
        if (module.find_string(id) != nullptr)
            fail(text, "string " + std::to_string(id) + " defined twice");
        module.strings.push_back({id, text.text});
    }
    take();
}

void Parser::dialog(res::Module& module, int id, bool extended, const Token& at) {
    skip_memory_options();
    model::DialogTemplate d;
    d.id = id;
    d.extended = extended;
    d.position.x = static_cast<int>(expression());
    expect_punct(",");
    d.position.y = static_cast<int>(expression());
    expect_punct(",");
    d.size.width = static_cast<int>(expression());
    expect_punct(",");
    d.size.height = static_cast<int>(expression());
    if (extended && accept_punct(","))
        expression(); // help id
    if (d.size.width <= 0 || d.size.height <= 0)
        fail(at, "dialog size must be positive");

    std::optional<std::uint32_t> style;
    bool has_caption = false;
    bool has_font = false;
    for (;;) {
        const Token& option = peek();
        if (option.kind != TokenKind::name || option.text == "BEGIN")
            break;
        const Token name = take();
        if (name.text == "STYLE") {
            style = static_cast<std::uint32_t>(expression());
        } else if (name.text == "EXSTYLE") {
            d.ex_style = static_cast<std::uint32_t>(expression());
        } else if (name.text == "CAPTION") {
            d.caption = expect_string("the caption").text;
            has_caption = true;
        } else if (name.text == "FONT") {
            d.font.point_size = static_cast<int>(expression());
            expect_punct(",");
            d.font.face = expect_string("the font name").text;
            if (extended && accept_punct(",")) {
                d.font.weight = static_cast<int>(expression());
                expect_punct(",");
                d.font.italic = expression() != 0;
                expect_punct(",");
                d.font.charset = static_cast<int>(expression());
            }
            has_font = true;
        } else if (name.text == "LANGUAGE") {
            expression();
            expect_punct(",");
            expression();
        } else {
            fail(name, "unknown dialog option '" + name.text + "'");
        }
    }
    d.style = style.value_or(WS_POPUP | WS_BORDER | WS_SYSMENU);
    if (has_caption)
        d.style |= WS_CAPTION;
    if (has_font)
        d.style |= DS_SETFONT;
    dialog_controls(d);
    if (module.find_dialog(id) != nullptr)
        fail(at, "dialog " + std::to_string(id) + " defined twice");
    module.dialogs.push_back(std::move(d));
}

void Parser::dialog_controls(model::DialogTemplate& d) {
    if (!is_begin(peek()))
        fail(peek(), "expected BEGIN");
    take();
    for (;;) {
        const Token keyword = take();
        if (is_end(keyword))
            return;
        if (keyword.kind != TokenKind::name)
            fail(keyword, keyword.kind == TokenKind::end ? "missing END" : "expected a control");
        model::ControlTemplate c;
        std::uint32_t base = WS_CHILD | WS_VISIBLE;
        const auto text_control =
            std::find_if(k_text_controls.begin(), k_text_controls.end(),
                         [&](const ControlKeyword& k) { return k.keyword == keyword.text; });
        bool generic = false;
        if (text_control != k_text_controls.end()) {
            c.class_name = text_control->class_name;
            base |= text_control->default_style;
            c.text = expect_string("the control text").text;
            expect_punct(",");
        } else if (keyword.text == "EDITTEXT") {
            c.class_name = "EDIT";
            base |= ES_LEFT | WS_BORDER | WS_TABSTOP;
        } else if (keyword.text == "ICON") {
            c.class_name = "STATIC";
            base |= SS_ICON;
            const Token icon = take();
            c.text = std::to_string(icon.kind == TokenKind::string ? 0 : resource_id(icon));
            if (icon.kind == TokenKind::string)
                fail(icon, "icon controls need a numeric icon id");
            expect_punct(",");
        } else if (keyword.text == "CONTROL") {
            generic = true;
            c.text = expect_string("the control text").text;
            expect_punct(",");
        } else {
            fail(keyword, "unknown control '" + keyword.text + "'");
        }
        c.id = static_cast<int>(expression());
        expect_punct(",");
        if (generic) {
            const Token cls = take();
            if (cls.kind != TokenKind::string && cls.kind != TokenKind::name)
                fail(cls, "expected the control class");
            c.class_name = cls.text;
            expect_punct(",");
            base = static_cast<std::uint32_t>(expression(base));
            expect_punct(",");
        }
        c.rect.x = static_cast<int>(expression());
        expect_punct(",");
        c.rect.y = static_cast<int>(expression());
        const bool size_optional = keyword.text == "ICON";
        if (!size_optional || peek().text == ",") {
            expect_punct(",");
            c.rect.width = static_cast<int>(expression());
            expect_punct(",");
            c.rect.height = static_cast<int>(expression());
        }
        if (generic) {
            if (accept_punct(","))
                c.ex_style = static_cast<std::uint32_t>(expression());
        } else if (accept_punct(",")) {
            base = static_cast<std::uint32_t>(expression(base));
            if (accept_punct(","))
                c.ex_style = static_cast<std::uint32_t>(expression());
        }
        c.style = base;
        d.controls.push_back(std::move(c));
    }
}

void Parser::version_info(res::Module& module, int id) {
    res::VersionInfo info;
    info.id = id;
    auto four_numbers = [this](std::uint16_t(&out)[4]) {
        for (int i = 0; i < 4; ++i) {
            if (i > 0)
                expect_punct(",");
            out[i] = static_cast<std::uint16_t>(expression());
        }
    };
    for (;;) {
        if (is_begin(peek()))
            break;
        const Token name = take();
        if (name.kind != TokenKind::name)
            fail(name, "expected a version statement or BEGIN");
        if (name.text == "FILEVERSION")
            four_numbers(info.file_version);
        else if (name.text == "PRODUCTVERSION")
            four_numbers(info.product_version);
        else if (name.text == "FILEFLAGSMASK")
            info.file_flags_mask = static_cast<std::uint32_t>(expression());
        else if (name.text == "FILEFLAGS")
            info.file_flags = static_cast<std::uint32_t>(expression());
        else if (name.text == "FILEOS")
            info.file_os = static_cast<std::uint32_t>(expression());
        else if (name.text == "FILETYPE")
            info.file_type = static_cast<std::uint32_t>(expression());
        else if (name.text == "FILESUBTYPE")
            info.file_subtype = static_cast<std::uint32_t>(expression());
        else
            fail(name, "unknown version statement '" + name.text + "'");
    }
    take();
    version_block(info, 0);
    if (module.version)
        fail(m_peeked, "more than one version resource");
    module.version = std::move(info);
}

// Inside BEGIN ... END of a version resource: BLOCK "name" BEGIN ... END and VALUE statements.
void Parser::version_block(res::VersionInfo& info, int depth) {
    if (depth > 8)
        fail(peek(), "version blocks nested too deeply");
    for (;;) {
        const Token t = take();
        if (is_end(t))
            return;
        if (t.kind == TokenKind::name && t.text == "BLOCK") {
            const Token name = expect_string("the block name");
            if (depth == 1 && info.string_block.empty())
                info.string_block = name.text;
            if (!is_begin(take()))
                fail(name, "expected BEGIN after the block name");
            version_block(info, depth + 1);
        } else if (t.kind == TokenKind::name && t.text == "VALUE") {
            const Token key = expect_string("the value name");
            if (key.text == "Translation") {
                while (accept_punct(","))
                    info.translation.push_back(static_cast<std::uint32_t>(expression()));
            } else {
                expect_punct(",");
                info.strings.push_back({key.text, expect_string("the value").text});
            }
        } else {
            fail(t, t.kind == TokenKind::end ? "missing END" : "expected BLOCK, VALUE or END");
        }
    }
}

} // namespace ui::rc
