#include "MessageNumberScan.h"

#include <algorithm>
#include <array>
#include <cctype>
#include <regex>

namespace varnel::test {
namespace {

bool IsIdentifierChar(char c) { return std::isalnum(static_cast<unsigned char>(c)) != 0 || c == '_'; }

bool IsKeyword(std::string_view word)
{
    static constexpr std::array<std::string_view, 9> kKeywords{"if",     "for",      "while",       "switch", "return",
                                                               "sizeof", "decltype", "static_cast", "catch"};
    return std::ranges::find(kKeywords, word) != kKeywords.end();
}

std::string_view Trimmed(std::string_view text)
{
    const auto first = text.find_first_not_of(" \t\r\n");
    if (first == std::string_view::npos) return {};
    return text.substr(first, text.find_last_not_of(" \t\r\n") - first + 1);
}

// A decimal literal, its suffix allowed; 0 when the text is anything else.
MessageId LiteralNumber(std::string_view text)
{
    text = Trimmed(text);
    const auto digits = std::min(text.find_first_not_of("0123456789"), text.size());
    if (digits == 0 || text.substr(digits).find_first_not_of("uUlL") != std::string_view::npos) return 0;
    return static_cast<MessageId>(std::stoul(std::string(text.substr(0, digits))));
}

// The function name and parameter position of the MessageId at `at`, when it declares a parameter: walks
// back to the unmatched '(' of its list, counting the commas between; a '<' first (a template argument),
// a '{', '[' or ';' (no list) or a keyword before the '(' means none.
bool FindParameter(std::string_view code, std::size_t at, std::string& name, std::size_t& position)
{
    int parens = 0;
    int angles = 0;
    int braces = 0;
    int squares = 0;
    position = 0;
    for (std::size_t i = at; i-- > 0;) {
        const bool outside = parens == 0 && angles == 0 && braces == 0 && squares == 0;
        switch (code[i]) {
        case ')': ++parens; break;
        case ']': ++squares; break;
        case '}': ++braces; break;
        case '>':
            if (i == 0 || code[i - 1] != '-') ++angles;
            break;
        case '(':
            if (parens == 0) {
                std::size_t end = i;
                while (end > 0 && std::isspace(static_cast<unsigned char>(code[end - 1])) != 0) --end;
                std::size_t begin = end;
                while (begin > 0 && IsIdentifierChar(code[begin - 1])) --begin;
                name = code.substr(begin, end - begin);
                return !name.empty() && !IsKeyword(name) && std::isdigit(static_cast<unsigned char>(name[0])) == 0;
            }
            --parens;
            break;
        case '[':
            if (squares == 0) return false;
            --squares;
            break;
        case '{':
            if (braces == 0) return false;
            --braces;
            break;
        case '<':
            if (angles == 0) return false;
            --angles;
            break;
        case ';':
            if (outside) return false;
            break;
        case ',':
            if (outside) ++position;
            break;
        default: break;
        }
    }
    return false;
}

// The arguments of the call whose '(' is just before `from`, split at its own commas.
std::vector<std::string_view> Arguments(std::string_view code, std::size_t from)
{
    std::vector<std::string_view> arguments;
    int depth = 0;
    std::size_t begin = from;
    for (std::size_t i = from; i < code.size(); ++i) {
        const char c = code[i];
        if (c == '(' || c == '[' || c == '{') {
            ++depth;
        } else if ((c == ')' || c == ']' || c == '}') && depth > 0) {
            --depth;
        } else if (c == ')' || (c == ',' && depth == 0)) {
            arguments.push_back(code.substr(begin, i - begin));
            if (c == ')') return arguments;
            begin = i + 1;
        }
    }
    return arguments;
}

class LineIndex {
public:
    explicit LineIndex(std::string_view code)
    {
        for (std::size_t i = 0; i < code.size(); ++i)
            if (code[i] == '\n') m_ends.push_back(i);
    }
    std::size_t LineOf(std::size_t offset) const
    {
        return static_cast<std::size_t>(std::ranges::lower_bound(m_ends, offset) - m_ends.begin()) + 1;
    }

private:
    std::vector<std::size_t> m_ends;
};

// The forms read line by line: MessageId constants and arrays, field ranges.
void AddLineForms(std::string_view code, std::vector<MessageUse>& uses)
{
    static const std::regex constant(R"(\bMessageId\s+(\w+)\s*(?:=|\{)\s*(\d+)\b)");
    static const std::regex array(R"(array<MessageId,\s*\d+>\s*\w+\s*=?\s*\{([^}]*)\})");
    static const std::regex fieldRange(R"(\bFieldRange\s*\w*\s*\{\s*(\d+)\s*,\s*(\d+)\s*\})");
    static const std::regex number(R"(\b\d+\b)");
    const auto each = [](const std::string& line, const std::regex& form, const auto& use) {
        for (std::sregex_iterator it(line.begin(), line.end(), form); it != std::sregex_iterator(); ++it) use(*it);
    };

    std::size_t lineNo = 0;
    for (std::size_t begin = 0; begin < code.size(); ++lineNo) {
        const std::size_t end = std::min(code.find('\n', begin), code.size());
        const std::string line(code.substr(begin, end - begin));
        begin = end + 1;
        const auto add = [&](MessageId id) { uses.push_back({id, lineNo + 1}); };
        if (line.find("MessageId") != std::string::npos) {
            each(line, constant, [&](const std::smatch& match) {
                if (!match[1].str().ends_with("Base")) add(static_cast<MessageId>(std::stoul(match[2].str())));
            });
            each(line, array, [&](const std::smatch& match) {
                const std::string list = match[1].str();
                each(list, number, [&](const std::smatch& n) { add(static_cast<MessageId>(std::stoul(n.str()))); });
            });
        }
        if (line.find("FieldRange") != std::string::npos) {
            each(line, fieldRange, [&](const std::smatch& match) {
                const auto past = static_cast<MessageId>(std::stoul(match[2].str()));
                for (auto field = static_cast<MessageId>(std::stoul(match[1].str())); field < past; ++field)
                    add(field);
            });
        }
    }
}

}  // namespace

std::string CodeOnly(std::string_view source)
{
    enum class State { Code, LineComment, BlockComment, String, Character };
    std::string code(source);
    State state = State::Code;
    for (std::size_t i = 0; i < code.size(); ++i) {
        const char c = source[i];
        const char next = i + 1 < source.size() ? source[i + 1] : '\0';
        switch (state) {
        case State::Code:
            if (c == '/' && next == '/') state = State::LineComment;
            else if (c == '/' && next == '*') state = State::BlockComment;
            else if (c == '"') state = State::String;
            else if (c == '\'' && (i == 0 || std::isdigit(static_cast<unsigned char>(source[i - 1])) == 0))
                state = State::Character;  // not a digit separator
            if (state == State::LineComment || state == State::BlockComment) code[i] = ' ';
            break;
        case State::LineComment:
            if (c == '\n') state = State::Code;
            else code[i] = ' ';
            break;
        case State::BlockComment:
            if (c == '*' && next == '/') {
                code[i] = code[i + 1] = ' ';
                ++i;
                state = State::Code;
            } else if (c != '\n') {
                code[i] = ' ';
            }
            break;
        case State::String:
        case State::Character:
            if (c == '\\') {
                code[i] = ' ';
                if (i + 1 < code.size() && next != '\n') code[++i] = ' ';
            } else if (c == (state == State::String ? '"' : '\'')) {
                state = State::Code;
            } else if (c != '\n') {
                code[i] = ' ';
            }
            break;
        }
    }
    return code;
}

void AddMessageParameters(std::string_view code, MessageParameters& positions)
{
    static constexpr std::string_view kType = "MessageId";
    for (auto at = code.find(kType); at != std::string_view::npos; at = code.find(kType, at + kType.size())) {
        const bool whole = (at == 0 || !IsIdentifierChar(code[at - 1])) &&
                           (at + kType.size() == code.size() || !IsIdentifierChar(code[at + kType.size()]));
        std::string name;
        std::size_t position = 0;
        if (whole && FindParameter(code, at, name, position)) positions[name].insert(position);
    }
}

std::vector<MessageUse> MessageNumbersUsed(std::string_view code, const MessageParameters& parameters)
{
    std::vector<MessageUse> uses;
    AddLineForms(code, uses);

    const LineIndex lines(code);
    for (std::size_t i = 0; i < code.size();) {
        if (!IsIdentifierChar(code[i])) {
            ++i;
            continue;
        }
        const std::size_t begin = i;
        while (i < code.size() && IsIdentifierChar(code[i])) ++i;
        if (std::isdigit(static_cast<unsigned char>(code[begin])) != 0) continue;  // a number, not a name
        const auto found = parameters.find(code.substr(begin, i - begin));
        std::size_t open = i;
        while (open < code.size() && std::isspace(static_cast<unsigned char>(code[open])) != 0) ++open;
        if (found == parameters.end() || open == code.size() || code[open] != '(') continue;

        const std::vector<std::string_view> arguments = Arguments(code, open + 1);
        for (const std::size_t position : found->second) {
            if (position >= arguments.size()) continue;
            const std::string_view argument = Trimmed(arguments[position]);
            if (const MessageId id = LiteralNumber(argument); id != 0)
                uses.push_back({id, lines.LineOf(static_cast<std::size_t>(argument.data() - code.data()))});
        }
    }
    std::erase_if(uses, [](const MessageUse& use) { return use.id == 0; });
    return uses;
}

}  // namespace varnel::test
