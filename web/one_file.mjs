// The page as one file, vdwcoex.html: the site's stylesheet and scripts
// (the chart library, the program in WebAssembly, the page's modules)
// inlined, and the workbook library kept as inert text that the page runs
// only when a workbook is asked for. It works opened from disk, from a web
// server or as an attachment, and fetches nothing.
//
//   node one_file.mjs SITE_FOLDER OUTPUT
import { readFileSync, writeFileSync } from 'node:fs';
import { join } from 'node:path';

const [site, output] = process.argv.slice(2);
const read = (name) => readFileSync(join(site, name), 'utf8');

// A script's text as an HTML script element may hold it: "</script" and
// "<!--" would end or confuse the element; escaped, they mean the same in
// JavaScript.
const inert = (code) => code.replace(/<\/(script)/gi, '<\\/$1').replace(/<!--/g, '<\\!--');

let page = read('index.html');
const replace = (from, to) => {
  if (!page.includes(from))
    throw new Error(`index.html has no ${from}`);
  page = page.replace(from, () => to);
};
// The one file is what the site's page offers to download: it need not
// offer itself.
replace('<p id="page-offer"><a id="page-file" href="vdwcoex.html" download="vdwcoex.html" data-text="pageFile"></a></p>\n', '');
replace('<link rel="stylesheet" href="style.css">', `<style>\n${read('style.css')}</style>`);
for (const name of ['chart.umd.min.js', 'vdwcoex.js', 'app.js'])
  replace(`<script src="${name}"></script>`, `<script>\n${inert(read(name))}\n</script>`);
replace('</body>', `<script type="text/plain" id="exceljs-source">\n${inert(read('exceljs.min.js'))}\n</script>\n</body>`);
writeFileSync(output, page);
