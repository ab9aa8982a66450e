// The series' analysis: the charts and the power-law fit of the
// coefficients, from series/fit.h once it lands. Until then the section
// stays hidden and this draws nothing.
export function renderAnalysis() {}
