# Runs R code that orvel-batch generated and checks that R's statistics agree with the
# program's own report for the same data: the t of both t-tests, the chi-square, Pearson's r
# and the regression coefficients.
#   Rscript r_check.R REPORT CODE
args <- commandArgs(trailingOnly = TRUE)
report <- readLines(args[1], warn = FALSE, encoding = "UTF-8")
values <- lapply(parse(args[2]), eval, envir = globalenv())

section <- function(title) {
  start <- grep(title, report, fixed = TRUE)[1]
  if (is.na(start)) stop("the report has no ", title)
  rest <- report[(start + 1):length(report)]
  end <- grep("^<<< ", rest)[1]
  if (!is.na(end)) rest <- rest[seq_len(end - 1)]
  rest
}
# The fields of the first line matching `pattern` after the line holding `marker`.
fields_after <- function(lines, marker, pattern) {
  at <- grep(marker, lines, fixed = TRUE)[1]
  row <- grep(pattern, lines[(at + 1):length(lines)], value = TRUE)[1]
  if (is.na(row)) stop("no line like ", pattern, " after ", marker)
  strsplit(trimws(row), "\t+")[[1]]
}
htests <- Filter(function(v) inherits(v, "htest"), values)
htest <- function(method) {
  found <- Filter(function(h) h$method == method, htests)
  if (length(found) == 0) stop("R ran no ", method)
  found[[1]]
}
failures <- 0
agree <- function(what, ours, theirs) {
  # The report prints six decimals.
  if (abs(ours - theirs) > 1e-6) {
    cat(sprintf("MISMATCH %s: report %.6f, R %.6f\n", what, ours, theirs))
    failures <<- failures + 1
  } else {
    cat(sprintf("agree %s: %.6f\n", what, ours))
  }
}

t_row <- "^ ?-?[0-9.]+\t[0-9]+\tp"
paired <- section("<<< Paired t-test >>>")
agree("paired t", as.numeric(fields_after(paired, "[two-sided test]", t_row)[1]),
      unname(htest("Paired t-test")$statistic))
unpaired <- section("<<< Unpaired t-test >>>")
welch <- any(grepl("Welch", unpaired))
agree(if (welch) "Welch t" else "Student t", as.numeric(fields_after(unpaired, "[two-sided test]", t_row)[1]),
      unname(htest(if (welch) "Welch Two Sample t-test" else " Two Sample t-test")$statistic))
chi <- section("<<< Pearson's Chi-squared Test >>>")
agree("chi-square", as.numeric(fields_after(chi, "T-Value", "^[0-9]+\t")[2]),
      unname(htest("Pearson's Chi-squared test")$statistic))
line <- section("<<< Regression Line >>>")
agree("Pearson's r", as.numeric(sub(".*r=", "", grep("^Correlation Coefficient r=", line, value = TRUE))),
      unname(htest("Pearson's product-moment correlation")$estimate))
equation <- regmatches(line, regexec("^y=(-?[0-9.]+)x([-+][0-9.]+)$", line))
equation <- Filter(length, equation)[[1]]
model <- Filter(function(v) inherits(v, "lm"), values)[[1]]
agree("slope", as.numeric(equation[2]), unname(coef(model)[2]))
agree("intercept", as.numeric(equation[3]), unname(coef(model)[1]))
if (failures > 0) quit(status = 1)
