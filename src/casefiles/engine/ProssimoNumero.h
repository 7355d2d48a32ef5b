#pragma once
#include <QString>
#include <optional>

// Tasks and jobs are numbered "0001" upward within their case file or task, the next one
// being the highest plus one. Four digits is all the key holds: after "9999" there is no
// next number (nothing), rather than "0000", which the fee items read as "none".
std::optional<QString> ProssimoNumero(const std::optional<QString>& ultimo);
